// ReportListView: columns, selection, headers, editing and the selection's
// visibility with and without the focus.
#include "reportlistview.h"
#include "windowtestsupport.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <tuple>

using namespace ostrel;

namespace {

class ReportListViewTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        auto *column = new QVBoxLayout(&Window);
        List = new ReportListView(&Window);
        Other = new QLineEdit(&Window);
        column->addWidget(List);
        column->addWidget(Other);
        List->SetColumns({{"試合番号", 60, 10}, {"プレイヤー１", 150, 30}, {"プレイヤー２", 150, 30},
                          {"試合時間", 90, 10}, {"試合結果", 100, 10}});
        for (const char *caption : {"B000", "B001", "B002"}) {
            QList<QStandardItem *> row{new QStandardItem(caption)};
            for (int column = 1; column < 5; ++column)
                row << new QStandardItem;
            Rows.appendRow(row);
        }
        List->SetRows(&Rows);
        Window.resize(250, 200);
    }

    QPoint RowPoint(int row, int column) const
    {
        const QRect rect = List->visualRect(List->model()->index(row, column));
        return QPoint(rect.right() - 3, rect.center().y());
    }

    // A point of the row's first cell to the right of its caption.
    QColor RowBackground(int row) { return PixelAt(List->viewport(), RowPoint(row, 0)); }

    QStandardItemModel Rows;
    QWidget Window;
    ReportListView *List = nullptr;
    QLineEdit *Other = nullptr;
};

TEST_F(ReportListViewTest, ColumnsHaveTheirCaptionsAndWidthsAndScrollSideways)
{
    ASSERT_TRUE(ShowAndWait(&Window));
    const QStringList captions{"試合番号", "プレイヤー１", "プレイヤー２", "試合時間", "試合結果"};
    const int widths[] = {60, 150, 150, 90, 100};
    ASSERT_EQ(List->model()->columnCount(), 5);
    for (int column = 0; column < 5; ++column) {
        EXPECT_EQ(List->model()->headerData(column, Qt::Horizontal).toString(), captions[column]);
        EXPECT_EQ(List->header()->sectionSize(column), widths[column]);
    }
    EXPECT_TRUE(List->horizontalScrollBar()->isVisible());
    EXPECT_EQ(List->horizontalScrollBar()->maximum(), 550 - List->viewport()->width());
    // No root decoration: the caption cell starts at the left edge.
    EXPECT_EQ(List->visualRect(List->model()->index(0, 0)).left(), 0);
}

TEST_F(ReportListViewTest, EachColumnKeepsItsOwnMinimumWidth)
{
    // column, width asked for, width kept
    const std::tuple<int, int, int> cases[] = {{0, 2, 10}, {1, 2, 30},  {2, 29, 30},
                                               {3, 9, 10}, {1, 31, 31}, {4, 200, 200}};
    for (const auto &[column, asked, expected] : cases) {
        List->header()->resizeSection(column, asked);
        EXPECT_EQ(List->header()->sectionSize(column), expected) << "column " << column << " asked " << asked;
    }
}

TEST_F(ReportListViewTest, ClicksSelectOneWholeRowAndNeverEdit)
{
    ASSERT_TRUE(ShowAndWait(&Window));
    Rows.item(1, 0)->setEditable(true);

    QTest::mouseClick(List->viewport(), Qt::LeftButton, {}, RowPoint(0, 1));
    QTest::mouseClick(List->viewport(), Qt::LeftButton, Qt::ControlModifier, RowPoint(1, 1));
    EXPECT_EQ(List->SelectedRow(), 1);
    EXPECT_EQ(List->selectionModel()->selectedIndexes().size(), 5);

    QTest::mouseDClick(List->viewport(), Qt::LeftButton, {}, RowPoint(1, 0));
    QTest::keyClick(List, Qt::Key_F2);
    Settle();
    EXPECT_TRUE(List->findChildren<QLineEdit *>().isEmpty());
    EXPECT_EQ(Rows.item(1, 0)->text(), QStringLiteral("B001"));
}

TEST_F(ReportListViewTest, HeaderClicksDoNothing)
{
    ASSERT_TRUE(ShowAndWait(&Window));
    List->SelectRow(2);
    const QHeaderView *header = List->header();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(0) + 20, header->height() / 2));
    Settle();
    EXPECT_FALSE(header->isSortIndicatorShown());
    EXPECT_EQ(List->model()->index(0, 0).data().toString(), QStringLiteral("B000"));
    EXPECT_EQ(List->SelectedRow(), 2);
    EXPECT_EQ(header->visualIndex(0), 0);
}

TEST_F(ReportListViewTest, SelectionShowsWithoutTheFocusUnlessToldOtherwise)
{
    ASSERT_TRUE(ShowActiveAndWait(&Window));
    const QColor base = List->palette().color(QPalette::Base);
    List->SelectRow(1);
    Other->setFocus();
    Settle();
    ASSERT_FALSE(List->hasFocus());

    EXPECT_NE(RowBackground(1), base);
    EXPECT_EQ(RowBackground(0), base);

    List->ShowSelectionAlways(false);
    EXPECT_EQ(RowBackground(1), base);
    EXPECT_EQ(List->SelectedRow(), 1);

    List->setFocus();
    Settle();
    ASSERT_TRUE(List->hasFocus());
    EXPECT_NE(RowBackground(1), base);

    Other->setFocus();
    Settle();
    EXPECT_EQ(RowBackground(1), base);

    List->ShowSelectionAlways(true);
    EXPECT_NE(RowBackground(1), base);
}

} // namespace
