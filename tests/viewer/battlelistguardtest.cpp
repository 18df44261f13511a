// The battle list in the window: the row of the battle being fought is
// selected and shown without the focus, a click beside the rows never leaves
// the list without its selection, a click on a row moves nothing else, rows
// go from the end when the replay goes back, and the digest of a fight.
#include "formtestkit.h"
#include "mapimage.h"
#include "mappainter.h"
#include "reportlistview.h"
#include "windowtestsupport.h"

#include <QImage>
#include <QPlainTextEdit>
#include <QSlider>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using namespace ostrel;

namespace {

class BattleListGuardTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ForgetSettings();
        Form = std::make_unique<ScriptedFormView>();
        ASSERT_TRUE(ShowActiveAndWait(Form.get()));
        ASSERT_TRUE(Form->OpenScript(Files.Write("five.ostrelScript", FiveStepTournament())));
        Form->TrackBarProgress->setFocus();
        Settle();
        ASSERT_TRUE(Form->TrackBarProgress->hasFocus());
    }

    // Moves the slider and lets the posted reselect message run.
    void SeekTo(int position)
    {
        Form->TrackBarProgress->setValue(position);
        Settle();
    }

    QString Text(int row, int column) const { return List()->model()->index(row, column).data().toString(); }
    ReportListView *List() const { return Form->ListViewBattle; }
    int SelectedRow() const
    {
        const QModelIndexList selected = List()->selectionModel()->selectedRows();
        return selected.size() == 1 ? selected.front().row() : -int(selected.size()) - 1;
    }

    // A point in the row's caption cell, right of the caption's text.
    QPoint RowPoint(int row) const
    {
        const QRect rect = List()->visualRect(List()->model()->index(row, 0));
        return {List()->columnWidth(0) - 4, rect.center().y()};
    }
    bool RowShownSelected(int row) const
    {
        return PixelAt(List()->viewport(), RowPoint(row)) != List()->palette().color(QPalette::Base);
    }
    void ClickAt(QPoint point) { QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, point); }

    QStringList DigestLines() const
    {
        const QString text = Form->RichEditDigest->toPlainText();
        return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
    }

    ScriptFolder Files;
    std::unique_ptr<ScriptedFormView> Form;
};

// SelectedRow's value when nothing is selected.
constexpr int NoRow = -1;

TEST_F(BattleListGuardTest, FightStepSelectsItsBattleAndShowsItWithoutTheFocus)
{
    struct Stop
    {
        int position, rows, selected;
        bool shown;
    };
    // At a move step and at the end the selection stays on its row, but
    // shows only while the list has the focus.
    const Stop stops[] = {{2, 1, 0, true}, {4, 1, 0, false}, {5, 2, 1, true}, {6, 2, 1, false}, {0, 0, NoRow, false}};
    for (const Stop &stop : stops) {
        SeekTo(stop.position);
        ASSERT_EQ(List()->RowCount(), stop.rows) << "position " << stop.position;
        EXPECT_EQ(SelectedRow(), stop.selected) << "position " << stop.position;
        EXPECT_FALSE(List()->hasFocus());
        if (stop.selected != NoRow) {
            EXPECT_EQ(RowShownSelected(stop.selected), stop.shown) << "position " << stop.position;
        }
    }
}

TEST_F(BattleListGuardTest, ClickBelowTheRowsLeavesThePreviousRowSelected)
{
    SeekTo(3);
    ASSERT_EQ(SelectedRow(), 0);
    const QPoint below(20, List()->visualRect(List()->model()->index(0, 0)).bottom() + 30);
    ASSERT_LT(below.y(), List()->viewport()->height());

    ClickAt(below);
    // The click took the selection away; the guard gives it back once the
    // click has been handled.
    EXPECT_EQ(SelectedRow(), NoRow);
    Settle();
    EXPECT_EQ(SelectedRow(), 0);
    EXPECT_EQ(Form->LastDeselectedRow, 0);
    EXPECT_EQ(Form->TrackBarProgress->value(), 3);
}

TEST_F(BattleListGuardTest, ClickOnAnotherRowMovesOnlyTheSelection)
{
    SeekTo(5);
    ASSERT_EQ(SelectedRow(), 1);
    const QStringList digest = DigestLines();
    const QImage map = RenderMap(*Form->ImageBr->Grid());
    int sessionChanges = 0;
    QObject::connect(&Form->Session, &ReplaySession::Changed, [&] { ++sessionChanges; });

    ClickAt(RowPoint(0));
    Settle();
    EXPECT_EQ(SelectedRow(), 0);
    EXPECT_EQ(Form->TrackBarProgress->value(), 5);
    EXPECT_EQ(Form->CurrentPosition(), 5);
    EXPECT_EQ(sessionChanges, 0);
    EXPECT_EQ(DigestLines(), digest);
    EXPECT_EQ(RenderMap(*Form->ImageBr->Grid()), map);
}

TEST_F(BattleListGuardTest, SeekingBackDeletesRowsFromTheEndAndADeletedSelectionIsNotReselected)
{
    SeekTo(5);
    ASSERT_EQ(SelectedRow(), 1);
    const QPersistentModelIndex first = List()->model()->index(0, 0);
    const QString firstPlayers = Text(0, 1) + Text(0, 2);

    SeekTo(4);
    EXPECT_EQ(List()->RowCount(), 1);
    EXPECT_EQ(first.row(), 0);
    EXPECT_EQ(Text(0, 1) + Text(0, 2), firstPlayers);
    EXPECT_EQ(SelectedRow(), NoRow);
    EXPECT_EQ(Form->LastDeselectedRow, 1);

    SeekTo(1);
    EXPECT_EQ(List()->RowCount(), 0);
    EXPECT_EQ(SelectedRow(), NoRow);
}

TEST_F(BattleListGuardTest, RowsShowTheirCellsDecoded)
{
    SeekTo(5);
    ASSERT_EQ(List()->RowCount(), 2);
    const QStringList rows[] = {{"B000", "E0(0) P0", "E1(0) P1", "  2-  3:  2", "win E0(1)"},
                                {"B001", "龍(0) サクラ", "E3(0) P3", "  5-  5:  1", "win E3(1)"}};
    for (int row = 0; row < 2; ++row)
        for (int column = 0; column < 5; ++column)
            EXPECT_EQ(Text(row, column), rows[row][column]) << "row " << row << " column " << column;
}

// The digest of each position, as the memo shows it.
struct DigestCase
{
    int position;
    QStringList lines;
};

void PrintTo(const DigestCase &row, std::ostream *out)
{
    *out << "position " << row.position;
}

class DigestTest : public BattleListGuardTest, public ::testing::WithParamInterface<DigestCase>
{
};

// Each position is reached from position 3, so that the seek writes the digest.
TEST_P(DigestTest, ShowsTheLinesOfTheCurrentStep)
{
    SeekTo(3);
    SeekTo(GetParam().position);
    EXPECT_EQ(DigestLines(), GetParam().lines);
}

// Battle 2 lists player 2 (entrant 3) first. The longer description is
// player 1's: 30 bytes, its double-byte characters counting two each, so
// the 22-byte one is padded with 8 blanks before the two that lead to its
// guide.
INSTANTIATE_TEST_SUITE_P(
    Positions, DigestTest,
    ::testing::Values(DigestCase{0, {"ターン: 1"}}, DigestCase{4, {"ターン: 4"}},
                      DigestCase{2,
                                 {"ターン: 2", "試合番号: 1", "相対距離: 1", "《E0》 P0／owner of P0  attack",
                                  "《E1》 P1／owner of P1  defend"}},
                      DigestCase{5,
                                 {"ターン: 5", "試合番号: 2", "相対距離: 2",
                                  "《E3》 P3／owner of P3" + QString(8, ' ') + "  defend",
                                  "《龍》 サクラ／owner of サクラ  突撃"}},
                      DigestCase{6, {}}),
    [](const auto &info) { return "Position" + std::to_string(info.param.position); });

} // namespace
