#include "battlerows.h"

#include "sjisdecoder.h"

#include <algorithm>

namespace ostrel {

void BattleRows::Clear()
{
    beginResetModel();
    count_ = 0;
    shownRows_ = 0;
    changedLo_ = 0;
    changedHi_ = -1;
    selected_ = -1;
    selectionPending_ = false;
    endResetModel();
}

std::vector<BattleListControl::Row> BattleRows::Rows() const
{
    std::vector<Row> rows;
    rows.reserve(std::size_t(count_));
    for (int row = 0; row < count_; ++row)
        rows.push_back(RowTexts(row));
    return rows;
}

// Row i shows battle i; a tournament being replaced may briefly have fewer.
BattleListControl::Row BattleRows::RowTexts(int row) const
{
    if (!model_ || row < 0 || row >= count_ || std::size_t(row) >= model_->Battles.size())
        return {};
    return BattleRowTexts(*model_, row, moment_);
}

void BattleRows::ShowMoment(const ReplayModel &model, const BattleListMoment &moment)
{
    model_ = &model;
    moment_ = moment;
}

void BattleRows::AppendRow()
{
    ++count_;
    MarkChanged(count_ - 1);
}

void BattleRows::DeleteLastRow()
{
    --count_;
    // As in a list view, the selection goes with its row.
    if (selected_ == count_)
        selected_ = -1;
    Announce();
}

void BattleRows::TurnsAndResultChanged(int row)
{
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
    const int rows = count_;
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
    if (role != Qt::DisplayRole || !index.isValid() || index.column() >= ColumnCount)
        return {};
    return DecodeSjisForDisplay(RowTexts(index.row())[std::size_t(index.column())]);
}

} // namespace ostrel
