#include "battlelistview.h"

#include "battlerows.h"
#include "reportlistview.h"
#include "sjisdecoder.h"

BattleListView::BattleListView(ReportListView &list, const BattleRows &rows) : list_(list), rows_(rows)
{
    QObject::connect(&rows, &BattleRows::RowAppended, &list, [this](int row) { AppendRow(row); });
    QObject::connect(&rows, &BattleRows::RowDeleted, &list, [this](int row) { DeleteRow(row); });
    QObject::connect(&rows, &BattleRows::RowTextsChanged, &list, [this](int row) { SetTurnsAndResult(row); });
    QObject::connect(&rows, &BattleRows::RowSelected, &list, [this](int row) { SelectRow(row); });
    QObject::connect(&rows, &BattleRows::SelectionShownAlwaysChanged, &list,
                     [this](bool always) { list_.ShowSelectionAlways(always); });
    QObject::connect(&rows, &BattleRows::UpdateBegun, &list, [this] { list_.setUpdatesEnabled(false); });
    QObject::connect(&rows, &BattleRows::UpdateEnded, &list, [this] { EndUpdate(); });
    QObject::connect(&rows, &BattleRows::Cleared, &list, [this] { list_.clear(); });
}

int BattleListView::RowCount() const
{
    return list_.topLevelItemCount();
}

void BattleListView::AppendRow(int row)
{
    const BattleListControl::Row &cells = rows_.Rows()[std::size_t(row)];
    auto *item = new QTreeWidgetItem;
    for (int column = 0; column < BattleListControl::ColumnCount; ++column)
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

void BattleListView::SetTurnsAndResult(int row)
{
    const BattleListControl::Row &cells = rows_.Rows()[std::size_t(row)];
    QTreeWidgetItem *item = list_.topLevelItem(row);
    item->setText(BattleListControl::TurnsColumn, DecodeSjisForDisplay(cells[BattleListControl::TurnsColumn]));
    item->setText(BattleListControl::ResultColumn, DecodeSjisForDisplay(cells[BattleListControl::ResultColumn]));
}

void BattleListView::SelectRow(int row)
{
    list_.setCurrentItem(list_.topLevelItem(row), 0, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void BattleListView::EndUpdate()
{
    list_.setUpdatesEnabled(true);
    list_.viewport()->repaint();
}
