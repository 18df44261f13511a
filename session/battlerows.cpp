#include "battlerows.h"

void BattleRows::Clear()
{
    rows_.clear();
    selected_ = -1;
    emit Cleared();
}

void BattleRows::AppendRow(const Row &cells)
{
    rows_.push_back(cells);
    emit RowAppended(int(rows_.size()) - 1);
}

void BattleRows::DeleteRow(int row)
{
    rows_.erase(rows_.begin() + row);
    // As in a list view, the selection goes with its row and moves up with
    // the rows below the deleted one.
    if (selected_ == row)
        selected_ = -1;
    else if (selected_ > row)
        --selected_;
    emit RowDeleted(row);
}

void BattleRows::SetTurnsAndResult(int row, const std::string &turns, const std::string &result)
{
    Row &cells = rows_[std::size_t(row)];
    cells[TurnsColumn] = turns;
    cells[ResultColumn] = result;
    emit RowTextsChanged(row);
}

void BattleRows::SelectRow(int row)
{
    selected_ = row;
    emit RowSelected(row);
}

void BattleRows::ShowSelectionAlways(bool always)
{
    selectionShownAlways_ = always;
    emit SelectionShownAlwaysChanged(always);
}
