#pragma once

#include "battlelist.h"

#include <array>
#include <vector>

class ReportListView;

// The battle list logic's control, on the window's list view. Cells are
// decoded from Shift-JIS for display; a cell is written to the view only when
// its text changes, so a refresh costs little however long the list is.
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
    std::vector<std::array<std::string, 2>> shown_;  // turns and result as last written
};
