#include "battlelistview.h"

#include "reportlistview.h"
#include "sjisdecoder.h"

int BattleListView::RowCount() const
{
    return list_.topLevelItemCount();
}

void BattleListView::AppendRow(const Row &cells)
{
    auto *item = new QTreeWidgetItem;
    for (int column = 0; column < ColumnCount; ++column)
        item->setText(column, DecodeSjisForDisplay(cells[std::size_t(column)]));
    list_.addTopLevelItem(item);
}

void BattleListView::DeleteRow(int row)
{
    // A single-selection view hands the current row's selection to a
    // neighbour when the row goes; the list selects only the rows it is told
    // to, so a deleted selected row leaves nothing selected.
    if (list_.currentIndex().row() == row)
        list_.selectionModel()->clearCurrentIndex();
    delete list_.takeTopLevelItem(row);
}

void BattleListView::SetTurnsAndResult(int row, const std::string &turns, const std::string &result)
{
    QTreeWidgetItem *item = list_.topLevelItem(row);
    item->setText(TurnsColumn, DecodeSjisForDisplay(turns));
    item->setText(ResultColumn, DecodeSjisForDisplay(result));
}

void BattleListView::SelectRow(int row)
{
    list_.setCurrentItem(list_.topLevelItem(row), 0, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void BattleListView::ShowSelectionAlways(bool always)
{
    list_.ShowSelectionAlways(always);
}

void BattleListView::BeginUpdate()
{
    list_.setUpdatesEnabled(false);
}

void BattleListView::EndUpdate()
{
    list_.setUpdatesEnabled(true);
    list_.viewport()->repaint();
}

void BattleListView::Clear()
{
    list_.clear();
}
