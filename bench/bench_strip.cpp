// The overview strip on the largest tournaments: building its columns and a
// paint of the whole strip, against the load of the same file measured in
// the same run. Runs on the offscreen platform.

#include "benchinputs.h"
#include "overviewstrip.h"
#include "replaysession.h"
#include "stopwatch.h"
#include "tformview.h"
#include "timelinecolumns.h"

#include <QApplication>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

using namespace ostrel;

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    QTemporaryDir dir;
    constexpr int Width = 1200;
    constexpr int Rounds = 20;
    std::printf("%-20s %9s %9s %9s %9s %9s\n", "input", "load ms", "build ms", "(% load)", "paint ms", "move ms");
    for (const BenchInput &input : LargeInputs) {
        const QString path = WriteInput(dir.path(), input);
        if (path.isEmpty())
            return 1;

        ReplaySession session;
        const double load = Seconds([&] { session.OpenScript(path); });
        if (!session.HasTournament())
            return 1;
        TimelineColumns columns;
        const double build = Seconds([&] {
            for (int i = 0; i < Rounds; ++i)
                columns.Build(session.Index().Alive(), session.Index().BattleAt(), Width);
        }) / Rounds;

        TFormView form;
        form.resize(Width, form.height());
        form.show();
        if (!form.OpenScript(path))
            return 1;
        form.ShowOverview(true);
        form.Session.Follow(0);
        form.Session.MoveSlider(form.Session.SliderMax() / 2);
        QCoreApplication::processEvents();
        form.Overview->repaint();  // the columns are built at the first paint
        const double paint = Seconds([&] {
            for (int i = 0; i < Rounds; ++i)
                form.Overview->repaint();
        }) / Rounds;
        // A play tick's share: the position moves, two lines are repainted.
        const int from = form.Session.SliderPosition();
        const double move = Seconds([&] {
            for (int i = 1; i <= Rounds; ++i) {
                form.Session.MoveSlider(from + i * 500);
                QCoreApplication::processEvents();
            }
        }) / Rounds;
        std::printf("%-20s %9.1f %9.2f %8.1f%% %9.2f %9.2f\n", input.Name, load * 1e3, build * 1e3,
                    100 * build / load, paint * 1e3, move * 1e3);
        std::fflush(stdout);
    }
    std::printf("load: the session opening the file; build: the strip's columns at %d pixels; paint: the whole "
                "strip painted, following entrant 0; move: a seek of 500 positions and the window's repaint, "
                "strip shown\n",
                Width);
    return 0;
}
