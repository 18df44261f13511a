#pragma once

#include "battlelist.h"

class ReportListView;

// The battle list logic's control, on the window's list view. Cells are
// decoded from Shift-JIS for display.
class BattleListView : public BattleListControl {
public:
    explicit BattleListView(ReportListView &list) : list_(list) {}

    int RowCount() const override;
    void AppendRow(const Row &cells) override;
    void DeleteRow(int row) override;
    void SetTurnsAndResult(int row, const std::string &turns, const std::string &result) override;
    void SelectRow(int row) override;
    void ShowSelectionAlways(bool always) override;
    void BeginUpdate() override;
    void EndUpdate() override;

    // Removes every row.
    void Clear();

private:
    ReportListView &list_;
};
