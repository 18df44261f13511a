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
    shown_.push_back({cells[TurnsColumn], cells[ResultColumn]});
}

void BattleListView::DeleteRow(int row)
{
    delete list_.takeTopLevelItem(row);
    shown_.erase(shown_.begin() + row);
}

void BattleListView::SetTurnsAndResult(int row, const std::string &turns, const std::string &result)
{
    std::array<std::string, 2> &shown = shown_[std::size_t(row)];
    QTreeWidgetItem *item = list_.topLevelItem(row);
    if (shown[0] != turns) {
        item->setText(TurnsColumn, DecodeSjisForDisplay(turns));
        shown[0] = turns;
    }
    if (shown[1] != result) {
        item->setText(ResultColumn, DecodeSjisForDisplay(result));
        shown[1] = result;
    }
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
    shown_.clear();
}
