#pragma once

namespace ostrel {

class FollowedBattleFilter;
class ReplaySession;
class ReportListView;

// Shows the session's battle rows in the window's list view, through filter,
// and follows the rows the list selects. The view's selection is its own
// otherwise: a click selects a row there without telling the session. A
// battle the filter hides is not selected: the view keeps its selection.
void ShowBattleRows(ReportListView &list, ReplaySession &session, FollowedBattleFilter &filter);

// Narrows the list to the battles of the entrant followed when on (and
// somebody is followed), or shows every row. The battle the view had
// selected stays selected while it is shown; otherwise the battle the list
// selected last is, if shown.
void FilterBattleRows(ReportListView &list, const ReplaySession &session, FollowedBattleFilter &filter, bool on);

} // namespace ostrel
