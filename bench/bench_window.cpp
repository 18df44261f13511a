// The window on the largest tournaments, as a user drives it: the End and
// Home keys on the focused slider and a play tick, each timed until the
// window has handled it and painted what shows, against a single-step seek
// of the session alone in the same run. Runs on the offscreen platform.

#include "benchinputs.h"
#include "replaysession.h"
#include "stopwatch.h"
#include "mapimage.h"
#include "mapzoom.h"
#include "reportlistview.h"
#include "tformview.h"

#include <QApplication>
#include <QScrollArea>
#include <QFile>
#include <QSlider>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <chrono>
#include <cstdio>

using namespace ostrel;

namespace {

// The time from the event to the end of the paint it caused.
template <typename F>
double Handled(TFormView &form, F &&event)
{
    return Seconds([&] {
        event();
        QCoreApplication::processEvents();
        form.repaint();
    });
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    QTemporaryDir dir;
    std::printf("%-20s %9s %9s %9s %9s %9s %9s %9s %9s %11s\n", "input", "End ms", "(session)", "Home ms", "(session)",
                "tick ms", "seek1 ms", "fit ms", "follow ms", "rows at end");
    for (const BenchInput &input : LargeInputs) {
        const QString path = WriteInput(dir.path(), input);
        if (path.isEmpty())
            return 1;

        TFormView form;
        form.show();
        QCoreApplication::processEvents();
        if (!form.OpenScript(path))
            return 1;
        form.TrackBarProgress->setFocus();
        // The same seek by a session without a window, for comparison.
        ReplaySession alone;
        alone.OpenScript(path);
        const double sessionEnd = Seconds([&] { alone.MoveSlider(alone.SliderMax()); });
        const double sessionHome = Seconds([&] { alone.MoveSlider(0); });
        const double end = Handled(form, [&] { QTest::keyClick(form.TrackBarProgress, Qt::Key_End); });
        const int rows = form.ListViewBattle->RowCount();
        const double home = Handled(form, [&] { QTest::keyClick(form.TrackBarProgress, Qt::Key_Home); });
        // Ticks near the end, where the list holds nearly every battle.
        form.Session.MoveSlider(form.Session.SliderMax() - 201);
        form.Session.ToolButtonPlayClick();
        constexpr int Ticks = 100;
        const double ticks = Handled(form, [&] {
            for (int i = 0; i < Ticks; ++i) {
                form.Session.TimerPlayTimer();
                QCoreApplication::processEvents();
            }
        });
        form.Session.ToolButtonPauseClick();
        // The whole arena zoomed to fit the map pane, painted afresh.
        form.ImageBr->SetScale(MapZoom::FitScale(form.Session.Grid().MapSize(), form.ScrollBoxBr->viewport()->size()));
        QCoreApplication::processEvents();
        const double fit = Handled(form, [&] { form.ImageBr->repaint(); });
        // Following an entrant with the whole arena in view, with the overview
        // strip on: the slowest of the ticks, each painted, is what a user
        // would feel as a stall.
        form.ShowOverview(true);
        form.Session.Follow(0);
        form.Session.MoveSlider(form.Session.SliderMax() / 2);
        form.Session.ToolButtonFwdClick();
        double slowestFollowTick = 0;
        for (int i = 0; i < Ticks; ++i)
            slowestFollowTick = std::max(slowestFollowTick, Handled(form, [&] { form.Session.TimerPlayTimer(); }));
        form.Session.ToolButtonPauseClick();
        form.Session.StopFollowing();
        form.ShowOverview(false);
        form.ImageBr->SetScale(1);
        ReplaySession &session = form.Session;
        const int from = session.CurrentPosition();
        const double seeks = Seconds([&] {
            for (int i = 1; i <= Ticks; ++i)
                session.MoveSlider(from + i);
        });
        std::printf("%-20s %9.1f %9.1f %9.1f %9.1f %9.2f %9.2f %9.1f %9.1f %11d\n", input.Name, end * 1e3,
                    sessionEnd * 1e3, home * 1e3, sessionHome * 1e3, ticks / Ticks * 1e3, seeks / Ticks * 1e3,
                    fit * 1e3, slowestFollowTick * 1e3, rows);
        std::fflush(stdout);
    }
    std::printf("End and Home: key press on the focused slider until the window has painted, and (session) the "
                "same seek by a session without a window; tick: one play tick with its paint; seek1: a one-step seek "
                "of the session alone; fit: a paint of the whole arena zoomed to fit the map pane; follow: the slowest painted tick "
                "while following an entrant at that zoom with the overview strip on\n");
    return 0;
}
