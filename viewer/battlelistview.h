#pragma once

namespace ostrel {

class ReplaySession;
class ReportListView;

// Shows the session's battle rows in the window's list view and follows the
// rows the list selects. The view's selection is its own otherwise: a click
// selects a row there without telling the session.
void ShowBattleRows(ReportListView &list, ReplaySession &session);

} // namespace ostrel
