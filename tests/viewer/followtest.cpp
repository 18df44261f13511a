// Following one entrant in the window: the battle list narrowed to its
// battles with the selection mapped through, the follow keys, the chart on
// its card and the summary's sorting.
#include "followedbattlefilter.h"
#include "formtestkit.h"
#include "mapmenu.h"
#include "ratechart.h"
#include "reportlistview.h"
#include "scripttext.h"
#include "sessiontestkit.h"
#include "summarydialog.h"
#include "vieweractions.h"
#include "windowtestsupport.h"

#include <QAction>
#include <QSlider>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <memory>

using namespace ostrel;

namespace {

// TwoBattles: battle 0 (entrant 0 against 1) from step 2 to 3, where 0 goes
// out; battle 1 (1 against 2) from step 5 to 7, where 2 goes out.
constexpr int Max = 8;

class FollowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Form = std::make_unique<ScriptedFormView>();
        ASSERT_TRUE(ShowActiveAndWait(Form.get()));
        ASSERT_TRUE(Form->OpenScript(Files.Write("two.ostrelScript", TwoBattles())));
    }
    void Filter(int entrant, bool on)
    {
        Form->Session.Follow(entrant);
        Form->Actions->FollowedBattlesOnly->setChecked(on);
        Settle();
    }
    QString Cell(int row, int column) const { return List()->model()->index(row, column).data().toString(); }
    QStringList Captions() const
    {
        QStringList captions;
        for (int row = 0; row < List()->RowCount(); ++row)
            captions << Cell(row, 0);
        return captions;
    }
    int SelectedBattle() const { return Form->BattleFilter->BattleAt(List()->SelectedRow()); }
    ReportListView *List() const { return Form->ListViewBattle; }

    ScriptFolder Files;
    std::unique_ptr<ScriptedFormView> Form;
};

TEST_F(FollowTest, TheFilterShowsExactlyTheFollowedEntrantsBattleRows)
{
    Form->Session.MoveSlider(Max);
    const QString result = Cell(1, 4);
    const QStringList all{QStringLiteral("B000"), QStringLiteral("B001")};
    struct Case {
        int entrant;
        bool on;
        QStringList rows;
    };
    for (const Case &c : {Case{0, true, {QStringLiteral("B000")}}, Case{2, true, {QStringLiteral("B001")}},
                          Case{1, true, all}, Case{-1, true, all}, Case{2, false, all}}) {
        Filter(c.entrant, c.on);
        EXPECT_EQ(Captions(), c.rows) << "entrant " << c.entrant << (c.on ? " filtered" : "");
    }
    Filter(2, true);
    EXPECT_EQ(Cell(0, 4), result) << "a row keeps its texts";
}

TEST_F(FollowTest, SelectionMapsThroughTheFilter)
{
    Filter(0, true);
    Form->Session.MoveSlider(3);
    Form->Session.MoveSlider(5);  // battle 1 is fought, hidden: the selection stays
    Settle();
    EXPECT_EQ(SelectedBattle(), 0);

    Form->Session.Follow(2);  // battle 1 is shown now, as the list's only row
    Settle();
    EXPECT_EQ(List()->SelectedRow(), 0);
    EXPECT_EQ(SelectedBattle(), 1);

    List()->selectionModel()->clearSelection();  // the guard selects it again
    Settle();
    EXPECT_EQ(Form->LastDeselectedRow, 1);
    EXPECT_EQ(SelectedBattle(), 1);

    Form->Actions->FollowedBattlesOnly->setChecked(false);
    Settle();
    EXPECT_EQ(List()->SelectedRow(), 1);
}

struct KeyCase {
    QAction *ViewerActions::*action;
    int followed, from, to;
};

class FollowKeyTest : public FollowTest, public ::testing::WithParamInterface<KeyCase> {};

// Pressed in the focused slider, which keeps its own keys.
TEST_P(FollowKeyTest, GoesToTheFollowedEntrantsBattlesAndExitOrNowhere)
{
    const KeyCase &c = GetParam();
    Form->Session.Follow(c.followed);
    Form->Session.MoveSlider(c.from);
    QAction *action = Form->Actions->*c.action;
    EXPECT_EQ(action->isEnabled(), c.followed >= 0);
    Form->TrackBarProgress->setFocus();
    const QKeyCombination key = action->shortcut()[0];
    QTest::keyClick(Form->TrackBarProgress, key.key(), key.keyboardModifiers());
    Settle();
    EXPECT_EQ(Form->Session.SliderPosition(), c.to);
}

INSTANTIATE_TEST_SUITE_P(Keys, FollowKeyTest,
                         ::testing::Values(KeyCase{&ViewerActions::NextFollowedBattle, -1, 3, 3},
                                           KeyCase{&ViewerActions::PreviousFollowedBattle, -1, 3, 3},
                                           KeyCase{&ViewerActions::FollowedExit, -1, 3, 3},
                                           KeyCase{&ViewerActions::NextFollowedBattle, 2, 0, 5},
                                           KeyCase{&ViewerActions::NextFollowedBattle, 2, 7, 7},
                                           KeyCase{&ViewerActions::PreviousFollowedBattle, 2, Max, 5},
                                           KeyCase{&ViewerActions::FollowedExit, 2, 0, 7},
                                           KeyCase{&ViewerActions::FollowedExit, 1, 3, 3}));

TEST_F(FollowTest, AClickOnTheCardsChartSeeksThere)
{
    MapMenu menu(Form->Session, QPoint(22, 22), Form.get());  // entrant 0 at (0, 0)
    ASSERT_NE(menu.Chart, nullptr);
    menu.Chart->resize(menu.Chart->sizeHint());
    QTest::mouseClick(menu.Chart, Qt::LeftButton, {}, QPoint(menu.Chart->XOf(3), 10));
    EXPECT_EQ(Form->Session.SliderPosition(), 3);
}

TEST(RateChartTest, MapsPositionsToColumnsAndClicksBack)
{
    struct Case {
        int last, width;
    };
    for (const Case c : {Case{8, 240}, Case{73000, 240}, Case{239, 246}, Case{0, 240}}) {
        const int last = c.last;
        SCOPED_TRACE(testing::Message() << "last " << last << ", width " << c.width);
        RateChart chart(EntrantHistory{}, last, 0);
        chart.resize(c.width, 56);
        const QRect plot = chart.PlotRect();
        EXPECT_EQ(chart.XOf(0), plot.left());
        EXPECT_EQ(chart.XOf(last + 5), last == 0 ? plot.left() : plot.right());
        EXPECT_EQ(chart.PositionAt(plot.left() - 10), 0);
        EXPECT_EQ(chart.PositionAt(plot.right() + 10), last);
        // With columns enough each position clicks back to itself; otherwise
        // each column clicks to a position drawn in that very column.
        for (int p = 0; last < plot.width() && p <= last; ++p)
            ASSERT_EQ(chart.PositionAt(chart.XOf(p)), p);
        for (int x = plot.left(); last >= plot.width() && x <= plot.right(); ++x)
            ASSERT_EQ(chart.XOf(chart.PositionAt(x)), x);
    }
}

TEST(SummarySortTest, SortsNumbersAsNumbersAndKeepsPlacesForTies)
{
    TournamentSummary summary;
    summary.Standings = {{3, 1, 10, -1}, {0, 2, 2, 12}, {1, 3, 2, 9}, {2, 3, 1, 9}};
    SummaryDialog dialog(LoadModel(Preamble(4)), summary);
    const auto column = [&dialog](int c) {
        QStringList cells;
        for (int i = 0; i < dialog.Table->topLevelItemCount(); ++i)
            cells << dialog.Table->topLevelItem(i)->text(c);
        return cells.join(QLatin1Char(' ')).toStdString();
    };
    EXPECT_EQ(column(0), "1 2 3 3");
    struct Case {
        int column;
        Qt::SortOrder order;
        const char *cells, *names;
    };
    for (const Case &c : {Case{4, Qt::AscendingOrder, "1 2 2 10", "P2 P0 P1 P3"},
                          Case{4, Qt::DescendingOrder, "10 2 2 1", "P3 P1 P0 P2"},
                          Case{5, Qt::AscendingOrder, "9 9 12 -", "P1 P2 P0 P3"},
                          Case{0, Qt::DescendingOrder, "3 3 2 1", "P2 P1 P0 P3"}}) {
        dialog.Table->sortByColumn(c.column, c.order);
        EXPECT_EQ(column(c.column), c.cells) << "column " << c.column;
        EXPECT_EQ(column(2), c.names) << "column " << c.column;
    }
}

} // namespace
