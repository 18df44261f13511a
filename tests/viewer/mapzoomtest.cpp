// The map's zoom: its steps between the fitting scale and 400 %, the keys
// and the wheel in the window, and the zoom kept with the settings.

#include "formtestkit.h"
#include "scripttext.h"
#include "mapimage.h"
#include "mapzoom.h"
#include "mapzoomer.h"
#include "reportlistview.h"
#include "windowtestsupport.h"

#include <QScrollArea>
#include <QSettings>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <memory>

using namespace ostrel;

namespace {

TEST(MapZoomSteps, RunFromTheFittingScaleTo100Percent)
{
    constexpr double fit = 0.3;
    MapZoom zoom;
    std::vector<int> out;
    while (zoom.ZoomOut(fit))
        out.push_back(zoom.Percent());
    EXPECT_EQ(out, (std::vector<int>{90, 75, 67, 50, 33, MapZoom::Fit}));
    EXPECT_DOUBLE_EQ(zoom.Scale(fit), fit);
    EXPECT_DOUBLE_EQ(zoom.Scale(0.2), 0.2) << "fit follows the pane";

    std::vector<int> in;
    while (zoom.ZoomIn(fit))
        in.push_back(zoom.Percent());
    EXPECT_EQ(in, (std::vector<int>{33, 50, 67, 75, 90, 100, 125, 150, 200, 300, 400}));
    EXPECT_DOUBLE_EQ(zoom.Scale(fit), 4.0);
    EXPECT_TRUE(zoom.Reset());
    EXPECT_FALSE(zoom.Reset());

    // A map that fits at 100 % does not zoom out, but closer in.
    EXPECT_FALSE(zoom.ZoomOut(1.0));
    EXPECT_TRUE(zoom.ZoomIn(1.0));
    EXPECT_EQ(zoom.Percent(), 125);
    EXPECT_TRUE(zoom.Reset());
    EXPECT_DOUBLE_EQ(zoom.Scale(1.7), 1.0);
    EXPECT_DOUBLE_EQ(MapZoom::FitScale({100, 100}, {300, 300}), 1.0);
    EXPECT_DOUBLE_EQ(MapZoom::FitScale({1000, 500}, {250, 250}), 0.25);
}

TEST(MapZoomSteps, APercentBelowTheFittingScaleShowsFittingAndNonsenseReadsAs100)
{
    MapZoom zoom(10);
    EXPECT_DOUBLE_EQ(zoom.Scale(0.4), 0.4);
    EXPECT_TRUE(zoom.ZoomIn(0.4));
    EXPECT_EQ(zoom.Percent(), 50);
    for (int nonsense : {-1, 101, 5000})
        EXPECT_EQ(MapZoom(nonsense).Percent(), MapZoom::Full);
    for (int step : {150, 400})
        EXPECT_EQ(MapZoom(step).Percent(), step) << "a step past 100 % is kept";
}

class MapZoomWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ForgetSettings();
        Form = std::make_unique<ScriptedFormView>();
        ASSERT_TRUE(ShowActiveAndWait(Form.get()));
        // 200 x 200 cells: a map of 5020 x 5020 pixels.
        ASSERT_TRUE(Form->OpenScript(Files.Write("big.ostrelScript", Preamble(2, 200, 200) + "End\n")));
        Settle();
    }

    void Press(QKeyCombination key)
    {
        QTest::keyClick(Form->ListViewBattle, key.key(), key.keyboardModifiers());
        Settle();
    }

    QSize Pane() const { return Form->ScrollBoxBr->maximumViewportSize(); }

    ScriptFolder Files;
    std::unique_ptr<ScriptedFormView> Form;
};

TEST_F(MapZoomWindowTest, KeysZoomBetweenTheWholeArenaAnd100Percent)
{
    EXPECT_EQ(Form->ImageBr->size(), QSize(5020, 5020)) << "100 % by default";
    for (int i = 0; i < 20; ++i)
        Press(Qt::CTRL | Qt::Key_Minus);
    EXPECT_EQ(Form->Zoomer->Percent(), MapZoom::Fit);
    EXPECT_LE(Form->ImageBr->width(), Pane().width());
    EXPECT_LE(Form->ImageBr->height(), Pane().height());
    EXPECT_TRUE(Form->ImageBr->width() >= Pane().width() - 1 || Form->ImageBr->height() >= Pane().height() - 1)
        << "the arena fills the pane";

    Press(Qt::CTRL | Qt::Key_Equal);
    EXPECT_GT(Form->ImageBr->width(), Pane().width());
    Press(Qt::CTRL | Qt::Key_0);
    EXPECT_EQ(Form->ImageBr->size(), QSize(5020, 5020));

    Press(Qt::CTRL | Qt::Key_Equal);
    EXPECT_EQ(Form->Zoomer->Percent(), 125) << "Ctrl+= at 100 % zooms in";
    for (int i = 0; i < 10; ++i)
        Press(Qt::CTRL | Qt::Key_Equal);
    EXPECT_EQ(Form->ImageBr->size(), QSize(4 * 5020, 4 * 5020)) << "400 % at most";
    // Each map pixel shows as a 4 x 4 block of its own colour.
    const QImage map = Form->Session.MapPicture();
    const QImage shown = Form->ImageBr->grab(QRect(0, 0, 160, 160)).toImage();
    for (QPoint point : {QPoint(0, 0), QPoint(9, 9), QPoint(10, 10), QPoint(22, 17), QPoint(36, 35)}) {
        EXPECT_EQ(shown.pixel(4 * point + QPoint(0, 0)), map.pixel(point)) << point.x() << "," << point.y();
        EXPECT_EQ(shown.pixel(4 * point + QPoint(3, 3)), map.pixel(point)) << point.x() << "," << point.y();
    }
    Press(Qt::CTRL | Qt::Key_0);
    EXPECT_EQ(Form->ImageBr->size(), QSize(5020, 5020));
}

TEST_F(MapZoomWindowTest, CtrlWheelZoomsAroundTheMouseAndAPlainWheelScrolls)
{
    QWidget *viewport = Form->ScrollBoxBr->viewport();
    // Away from the edges, where the scroll bars would stop the map.
    Form->ScrollBoxBr->horizontalScrollBar()->setValue(1000);
    Form->ScrollBoxBr->verticalScrollBar()->setValue(1000);
    const QPoint mouse(50, 40);
    const QPoint underMouse = Form->ImageBr->MapPoint(Form->ImageBr->mapFrom(viewport, mouse));
    const auto wheel = [&](int angle, Qt::KeyboardModifiers modifiers) {
        QWheelEvent event(mouse, viewport->mapToGlobal(mouse), {}, {0, angle}, Qt::NoButton, modifiers,
                          Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(viewport, &event);
        Settle();
    };
    wheel(-120, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(Form->ImageBr->Scale(), 0.9);
    const QPoint stillUnder = Form->ImageBr->MapPoint(Form->ImageBr->mapFrom(viewport, mouse));
    EXPECT_LE((stillUnder - underMouse).manhattanLength(), 2);

    const int top = Form->ScrollBoxBr->verticalScrollBar()->value();
    wheel(-120, Qt::NoModifier);
    EXPECT_DOUBLE_EQ(Form->ImageBr->Scale(), 0.9);
    EXPECT_GT(Form->ScrollBoxBr->verticalScrollBar()->value(), top);
}

TEST_F(MapZoomWindowTest, TheZoomIsKeptForTheNextStart)
{
    Press(Qt::CTRL | Qt::Key_Minus);
    Press(Qt::CTRL | Qt::Key_Minus);
    ASSERT_EQ(Form->Zoomer->Percent(), 75);
    Form->close();
    ScriptedFormView next;
    EXPECT_EQ(next.Zoomer->Percent(), 75);
}

// Fit is kept as 0, which must not read back as a percentage.
TEST_F(MapZoomWindowTest, TheWholeArenaFittingIsKeptForTheNextStart)
{
    for (int i = 0; i < 20; ++i)
        Press(Qt::CTRL | Qt::Key_Minus);
    ASSERT_EQ(Form->Zoomer->Percent(), MapZoom::Fit);
    Form->close();
    EXPECT_EQ(SettingsStore()->value(QStringLiteral("Software/Brimwold/Torvex/DLL/OstrelScriptViewer/MapZoom")),
              QStringLiteral("0"));
    ScriptedFormView next;
    EXPECT_EQ(next.Zoomer->Percent(), MapZoom::Fit);
    ASSERT_TRUE(ShowActiveAndWait(&next));
    ASSERT_TRUE(next.OpenScript(Files.Write("big.ostrelScript", Preamble(2, 200, 200) + "End\n")));
    Settle();
    EXPECT_LE(next.ImageBr->width(), next.ScrollBoxBr->maximumViewportSize().width()) << "the arena still fits";
    EXPECT_LE(next.ImageBr->height(), next.ScrollBoxBr->maximumViewportSize().height());
}

} // namespace
