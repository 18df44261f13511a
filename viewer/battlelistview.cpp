#include "battlelistview.h"

#include "followedbattlefilter.h"
#include "replaysession.h"
#include "reportlistview.h"

#include <vector>

namespace ostrel {

void ShowBattleRows(ReportListView &list, ReplaySession &session, FollowedBattleFilter &filter)
{
    const BattleRows &rows = session.BattleList();
    // A single-selection view hands the current row's selection to a
    // neighbour when the row goes; the list selects only the rows it is told
    // to, so a deleted selected row leaves nothing selected. This must run
    // before the view (through the filter) hears of the removal, so it is
    // connected first.
    QObject::connect(&rows, &BattleRows::rowsAboutToBeRemoved, &list,
                     [&list, &filter](const QModelIndex &, int first, int last) {
                         const int current = filter.BattleAt(list.currentIndex().row());
                         if (current >= first && current <= last)
                             list.selectionModel()->clearCurrentIndex();
                     });
    filter.setSourceModel(session.BattleListModel());
    list.SetRows(&filter);
    QObject::connect(&rows, &BattleRows::RowSelected, &list, [&list, &filter](int battle) {
        const int row = filter.ViewRow(battle);
        if (battle < 0 || row >= 0)
            list.SelectRow(row);
    });
    QObject::connect(&rows, &BattleRows::SelectionShownAlwaysChanged, &list,
                     [&list](bool always) { list.ShowSelectionAlways(always); });
}

void FilterBattleRows(ReportListView &list, const ReplaySession &session, FollowedBattleFilter &filter, bool on)
{
    const int selected = filter.BattleAt(list.SelectedRow());
    bool changed = false;
    if (on && session.Followed() >= 0) {
        std::vector<int> battles;
        for (const EntrantHistory::Battle &battle : session.FollowedHistory().Battles)
            battles.push_back(battle.Index);
        changed = filter.ShowOnly(std::move(battles));
    } else {
        changed = filter.ShowAll();
    }
    if (!changed || (list.SelectedRow() >= 0 && filter.BattleAt(list.SelectedRow()) == selected))
        return;
    int row = selected >= 0 ? filter.ViewRow(selected) : -1;
    if (row < 0)
        row = filter.ViewRow(session.BattleList().SelectedRow());
    if (row >= 0 && row < list.RowCount())
        list.SelectRow(row);
}

} // namespace ostrel
