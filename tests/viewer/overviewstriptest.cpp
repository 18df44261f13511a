// Finding one's way through a tournament: the overview strip's columns, its
// clicks and its setting, the status bar, Go to, and the slider's keys.

#include "formtestkit.h"
#include "gotodialog.h"
#include "overviewstrip.h"
#include "positionstatus.h"
#include "reportlistview.h"
#include "scripttext.h"
#include "sessiontestkit.h"
#include "timelinecolumns.h"
#include "vieweractions.h"
#include "windowtestsupport.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSettings>
#include <QSlider>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <vector>

using namespace ostrel;

namespace {

using ostrel::PrintTo;

// Three entrants over eight steps (TwoBattles): the end position is 8.
//   position  0  1  2  3  4  5  6  7  8
//   turn      1  1  2  3  3  4  5  6  6
//   in play   3  3  3  2  2  2  2  1  1
//   battle    0  0  1  1  0  2  0  2  0
// Entrant 1 ("AB", Bob) wins both battles.
constexpr int EndPosition = 8;

struct ColumnCase {
    const char *Name;
    std::vector<int32_t> Alive;
    std::vector<int16_t> BattleAt;
    int Width;
    std::vector<int> Fights;
    std::vector<int32_t> Low, High;
};

std::vector<int16_t> OneFightAt(int position, int positions)
{
    std::vector<int16_t> battles(std::size_t(positions), 0);
    battles[std::size_t(position)] = 7;
    return battles;
}

class TimelineColumnsTest : public ::testing::TestWithParam<ColumnCase> {};

TEST_P(TimelineColumnsTest, CountFightsPerColumnAndBracketTheAliveLine)
{
    const ColumnCase &c = GetParam();
    TimelineColumns columns;
    columns.Build(c.Alive, c.BattleAt, c.Width);
    EXPECT_EQ(columns.Fights(), c.Fights);
    EXPECT_EQ(columns.AliveLow(), c.Low);
    EXPECT_EQ(columns.AliveHigh(), c.High);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TimelineColumnsTest,
    ::testing::Values(
        // One fight among 500 positions per column is not averaged away.
        ColumnCase{"OneFightBurst", std::vector<int32_t>(1000, 5), OneFightAt(777, 1000), 2, {0, 1}, {5, 5}, {5, 5}},
        ColumnCase{"CountsEveryFightOfTheColumn",
                   {9, 9, 8, 7, 7, 3},
                   {0, 1, 1, 0, 2, 0},
                   3,
                   {1, 1, 1},
                   {9, 7, 3},
                   {9, 8, 7}},
        // Fewer positions than columns: each spans two.
        ColumnCase{"PositionsSpanColumns", {4, 2, 1}, {0, 3, 0}, 6, {0, 0, 1, 1, 0, 0}, {4, 4, 2, 2, 1, 1},
                   {4, 4, 2, 2, 1, 1}},
        // A comeback (an entrant back in play) widens the column's range.
        ColumnCase{"AliveComesBack", {5, 4, 6, 3}, {0, 0, 0, 0}, 1, {0}, {3}, {6}},
        ColumnCase{"NothingLoaded", {}, {}, 100, {}, {}, {}}),
    [](const auto &info) { return std::string(info.param.Name); });

// A click at x seeks to a position drawn at x, or at the nearest column
// before it when the positions are fewer than the columns.
TEST(TimelineColumnsClicks, LandOnThePositionDrawnUnderTheMouse)
{
    for (auto [positions, width] : {std::pair{73001, 470}, std::pair{470, 470}, std::pair{9, 470}, std::pair{1, 3}}) {
        TimelineColumns columns;
        columns.Build(std::vector<int32_t>(std::size_t(positions), 1), std::vector<int16_t>(std::size_t(positions), 0),
                      width);
        SCOPED_TRACE(testing::Message() << positions << " positions on " << width);
        int before = -1;
        for (int x = 0; x < width; ++x) {
            const int p = columns.PositionAt(x);
            ASSERT_GE(p, before) << "x " << x;
            ASSERT_LE(columns.ColumnOf(p), x);
            if (positions >= width) {
                ASSERT_EQ(columns.ColumnOf(p), x);
            }
            before = p;
        }
        EXPECT_EQ(columns.PositionAt(-40), 0);
        EXPECT_EQ(columns.PositionAt(width + 40), columns.PositionAt(width - 1));
        EXPECT_EQ(columns.ColumnOf(positions - 1), columns.ColumnOf(columns.PositionAt(width - 1)));
        EXPECT_EQ(columns.ColumnOf(positions), -1);
    }
}

class NavigationWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ForgetSettings();
        Form = std::make_unique<Window>();
        ASSERT_TRUE(ShowActiveAndWait(Form.get()));
        ASSERT_TRUE(Form->OpenScript(Files.Write("two.ostrelScript", TwoBattles())));
        Settle();
    }

    void Press(QWidget *target, QKeyCombination key)
    {
        QTest::keyClick(target, key.key(), key.keyboardModifiers());
        Settle();
    }

    // Go to answers what the test has typed.
    struct Window : ScriptedFormView {
        std::optional<GoToRequest> Typed;
        std::optional<GoToRequest> AskGoTo() override { return Typed; }
    };

    ScriptFolder Files;
    std::unique_ptr<Window> Form;
};

TEST_F(NavigationWindowTest, TheStatusBarReadsThePositionTurnAndZoomAndAtTheEndTheWinner)
{
    const struct {
        int Position;
        const char *Text;
    } cases[] = {
        {0, "位置 0/8  ターン 1  拡大 100%"},
        {4, "位置 4/8  ターン 3  拡大 100%"},
        {EndPosition, "位置 8/8  ターン 6  拡大 100%  優勝: AB Bob"},
    };
    for (const auto &c : cases) {
        Form->Session.MoveSlider(c.Position);
        EXPECT_EQ(Form->LabelStatus->text(), QString::fromUtf8(c.Text));
    }
    Press(Form->ListViewBattle, Qt::CTRL | Qt::Key_Equal);
    EXPECT_TRUE(Form->LabelStatus->text().contains(QStringLiteral("拡大 125%"))) << "a zoom changes it too";

    ScriptedFormView empty;
    EXPECT_TRUE(empty.LabelStatus->text().isEmpty()) << "nothing before a load";
    const auto tied = OpenSession(FiveStepTournament());
    tied->MoveSlider(tied->SliderMax());
    EXPECT_TRUE(PositionStatusText(*tied, 100).endsWith(QStringLiteral("優勝: なし (2 名が残っています)")));
}

TEST_F(NavigationWindowTest, GoToReachesAPositionOrTheFirstStepOfATurn)
{
    const struct {
        const char *Typed;
        bool TurnChosen;
        std::optional<int> Position;
    } cases[] = {
        {"5", false, 5},   {"t3", false, 3},   {"Ｔ４", false, 5},   {" 3 ", true, 3},  {"1", true, 0},
        {"t7", false, EndPosition},            {"99999999999", false, EndPosition},     {"-3", false, 0},
        {"", false, std::nullopt},             {"t", false, std::nullopt},              {"3x", false, std::nullopt},
    };
    for (const auto &c : cases) {
        const std::optional<GoToRequest> request = ParseGoTo(QString::fromUtf8(c.Typed), c.TurnChosen);
        ASSERT_EQ(request.has_value(), c.Position.has_value()) << c.Typed;
        if (request) {
            EXPECT_EQ(GoToPosition(Form->Session, *request), *c.Position) << c.Typed;
        }
    }

    Form->Typed = GoToRequest{4, true};
    Press(Form->ListViewBattle, Qt::CTRL | Qt::Key_G);
    EXPECT_EQ(Form->Session.SliderPosition(), 5);
    EXPECT_EQ(Form->TrackBarProgress->value(), 5);
}

TEST_F(NavigationWindowTest, TheGoToDialogRefusesTextThatIsNoNumber)
{
    GoToDialog dialog(EndPosition);
    dialog.Target->setText(QStringLiteral("abc"));
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Rejected) << "still open";
    dialog.Target->setText(QStringLiteral("6"));
    dialog.AsTurn->setChecked(true);
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Request(), (GoToRequest{6, true}));
}

TEST_F(NavigationWindowTest, TheSliderKeysMoveAsOnTheTrackBar)
{
    const struct {
        Qt::Key Key;
        int Position;
    } cases[] = {
        {Qt::Key_Up, 3},   {Qt::Key_PageUp, 2}, {Qt::Key_Down, 5}, {Qt::Key_PageDown, 6},
        {Qt::Key_Left, 3}, {Qt::Key_Right, 5},  {Qt::Key_Home, 0}, {Qt::Key_End, EndPosition},
    };
    Form->TrackBarProgress->setFocus();
    for (const auto &c : cases) {
        Form->Session.MoveSlider(4);
        Press(Form->TrackBarProgress, c.Key);
        EXPECT_EQ(Form->Session.SliderPosition(), c.Position) << QKeySequence(c.Key).toString().toStdString();
    }
}

TEST_F(NavigationWindowTest, TheStripAddsItsHeightAndIsKeptForTheNextStart)
{
    EXPECT_FALSE(Form->Overview->isVisible()) << "off by default";
    const QSize before = Form->size();
    const int map = Form->MapHeight();
    const int digest = Form->RichEditDigest->height();
    Press(Form->ListViewBattle, Qt::CTRL | Qt::Key_T);
    ASSERT_TRUE(Form->Overview->isVisible());
    EXPECT_EQ(Form->size(), before + QSize(0, OverviewStrip::StripHeight));
    EXPECT_EQ(Form->MapHeight(), map);
    EXPECT_EQ(Form->RichEditDigest->height(), digest);
    EXPECT_EQ(Form->Overview->geometry().top(), Form->ToolBarLog->geometry().bottom() + 1) << "under the toolbar";
    EXPECT_TRUE(Form->Actions->ShowOverview->isChecked());

    Form->close();
    EXPECT_EQ(SettingsStore()->value(QStringLiteral("Software/Brimwold/Torvex/DLL/OstrelScriptViewer/OverviewStrip")),
              QStringLiteral("1"));
    ScriptedFormView next;
    ASSERT_TRUE(ShowAndWait(&next));
    Settle();
    EXPECT_TRUE(next.Overview->isVisible());
    EXPECT_EQ(next.size(), before + QSize(0, OverviewStrip::StripHeight)) << "the stored height holds the strip";
    EXPECT_EQ(next.RichEditDigest->height(), digest);

    next.ShowOverview(false);
    Settle();
    EXPECT_EQ(next.size(), before) << "off: the window as it always was";
}

TEST_F(NavigationWindowTest, AClickOrADragOnTheStripSeeksAndTheTipTellsThePosition)
{
    Form->ShowOverview(true);
    Settle();
    OverviewStrip *strip = Form->Overview;
    const int right = strip->width() - 2;
    QTest::mouseClick(strip, Qt::LeftButton, {}, QPoint(right, 20));
    EXPECT_EQ(Form->Session.SliderPosition(), EndPosition);
    QTest::mousePress(strip, Qt::LeftButton, {}, QPoint(right, 20));
    const QPointF middle(strip->width() / 2, 20);
    QMouseEvent drag(QEvent::MouseMove, middle, strip->mapToGlobal(middle), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(strip, &drag);
    QTest::mouseRelease(strip, Qt::LeftButton, {}, QPoint(strip->width() / 2, 20));
    EXPECT_EQ(Form->Session.SliderPosition(), strip->PositionAt(strip->width() / 2));
    EXPECT_EQ(Form->Session.SliderPosition(), EndPosition / 2);
    QTest::mouseClick(strip, Qt::LeftButton, {}, QPoint(1, 20));
    EXPECT_EQ(Form->Session.SliderPosition(), 0);

    EXPECT_EQ(StripTipText(Form->Session, 2),
              QString::fromUtf8("位置 2\nターン 2\n参戦中 3 名\n試合 B000 (試合番号 1)"));
    EXPECT_EQ(StripTipText(Form->Session, 4),
              QString::fromUtf8("位置 4\nターン 3\n参戦中 2 名\n試合 なし"));
    EXPECT_TRUE(StripTipText(Form->Session, EndPosition + 1).isEmpty());
}

} // namespace
