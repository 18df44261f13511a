#include "battlelistview.h"

#include "replaysession.h"
#include "reportlistview.h"

namespace ostrel {

void ShowBattleRows(ReportListView &list, ReplaySession &session)
{
    const BattleRows &rows = session.BattleList();
    // A single-selection view hands the current row's selection to a
    // neighbour when the row goes; the list selects only the rows it is told
    // to, so a deleted selected row leaves nothing selected. This must run
    // before the view hears of the removal, so it is connected first.
    QObject::connect(&rows, &BattleRows::rowsAboutToBeRemoved, &list,
                     [&list](const QModelIndex &, int first, int last) {
                         const int current = list.currentIndex().row();
                         if (current >= first && current <= last)
                             list.selectionModel()->clearCurrentIndex();
                     });
    list.SetRows(session.BattleListModel());
    QObject::connect(&rows, &BattleRows::RowSelected, &list, [&list](int row) { list.SelectRow(row); });
    QObject::connect(&rows, &BattleRows::SelectionShownAlwaysChanged, &list,
                     [&list](bool always) { list.ShowSelectionAlways(always); });
}

} // namespace ostrel
