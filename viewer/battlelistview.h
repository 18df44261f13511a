#pragma once

#include "battlelist.h"

class BattleRows;
class ReportListView;

// Keeps the window's list view in step with the session's battle rows,
// operation by operation, so that a refresh rewrites only the rows it
// touched. Cells are decoded from Shift-JIS for display.
class BattleListView {
public:
    BattleListView(ReportListView &list, const BattleRows &rows);

    int RowCount() const;
    // Selects a row of the view (and only of the view): the list's own
    // guard puts back a row the user's click deselected.
    void SelectRow(int row);

private:
    void AppendRow(int row);
    void DeleteRow(int row);
    void SetTurnsAndResult(int row);
    void EndUpdate();

    ReportListView &list_;
    const BattleRows &rows_;
};
