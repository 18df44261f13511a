#include "followedbattlefilter.h"

#include <algorithm>

namespace ostrel {

FollowedBattleFilter::FollowedBattleFilter(QObject *parent) : QSortFilterProxyModel(parent)
{
    // A row's cells change on every refresh, its battle never: passing a row
    // depends on its index alone, so a rewritten cell needs no new decision.
    setDynamicSortFilter(false);
}

bool FollowedBattleFilter::ShowOnly(std::vector<int> battles)
{
    if (filtering_ && battles == battles_)
        return false;
    filtering_ = true;
    battles_ = std::move(battles);
    invalidateRowsFilter();
    return true;
}

bool FollowedBattleFilter::ShowAll()
{
    if (!filtering_)
        return false;
    filtering_ = false;
    battles_.clear();
    invalidateRowsFilter();
    return true;
}

// While every row passes, rows are battles as they stand, also rows that are
// out of range: the list treats those as it always has.
int FollowedBattleFilter::ViewRow(int battle) const
{
    if (!filtering_)
        return battle;
    if (!sourceModel() || battle < 0 || battle >= sourceModel()->rowCount())
        return -1;
    return mapFromSource(sourceModel()->index(battle, 0)).row();
}

int FollowedBattleFilter::BattleAt(int viewRow) const
{
    if (!filtering_)
        return viewRow;
    if (viewRow < 0 || viewRow >= rowCount())
        return -1;
    return mapToSource(index(viewRow, 0)).row();
}

bool FollowedBattleFilter::filterAcceptsRow(int sourceRow, const QModelIndex &) const
{
    return !filtering_ || std::binary_search(battles_.begin(), battles_.end(), sourceRow);
}

} // namespace ostrel
