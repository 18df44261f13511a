#include "battlerows.h"

#include "sjisdecoder.h"

#include <algorithm>

void BattleRows::Clear()
{
    beginResetModel();
    rows_.clear();
    shownRows_ = 0;
    changedLo_ = 0;
    changedHi_ = -1;
    selected_ = -1;
    selectionPending_ = false;
    endResetModel();
}

void BattleRows::AppendRow(const Row &cells)
{
    rows_.push_back(cells);
    MarkChanged(int(rows_.size()) - 1);
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
    if (row < int(rows_.size()))
        MarkChanged(row);
    Announce();
}

void BattleRows::SetTurnsAndResult(int row, const std::string &turns, const std::string &result)
{
    Row &cells = rows_[std::size_t(row)];
    cells[TurnsColumn] = turns;
    cells[ResultColumn] = result;
    MarkChanged(row);
}

void BattleRows::SelectRow(int row)
{
    selected_ = row;
    selectionPending_ = true;
    Announce();
}

void BattleRows::ShowSelectionAlways(bool always)
{
    selectionShownAlways_ = always;
    emit SelectionShownAlwaysChanged(always);
}

void BattleRows::EndUpdate()
{
    if (updateDepth_ > 0)
        --updateDepth_;
    Announce();
}

void BattleRows::MarkChanged(int row)
{
    changedLo_ = std::min(changedLo_ > changedHi_ ? row : changedLo_, row);
    changedHi_ = std::max(changedHi_, row);
    Announce();
}

// Tells views what changed since they last heard, unless an update is open.
void BattleRows::Announce()
{
    if (updateDepth_ > 0)
        return;
    const int rows = int(rows_.size());
    if (rows < shownRows_) {
        beginRemoveRows({}, rows, shownRows_ - 1);
        shownRows_ = rows;
        endRemoveRows();
    }
    const int lastChanged = std::min(changedHi_, shownRows_ - 1);
    if (changedLo_ <= lastChanged)
        emit dataChanged(index(changedLo_, 0), index(lastChanged, ColumnCount - 1));
    changedLo_ = 0;
    changedHi_ = -1;
    if (rows > shownRows_) {
        beginInsertRows({}, shownRows_, rows - 1);
        shownRows_ = rows;
        endInsertRows();
    }
    if (selectionPending_) {
        selectionPending_ = false;
        emit RowSelected(selected_);
    }
}

int BattleRows::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : shownRows_;
}

int BattleRows::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant BattleRows::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= int(rows_.size()))
        return {};
    return DecodeSjisForDisplay(rows_[std::size_t(index.row())][std::size_t(index.column())]);
}
