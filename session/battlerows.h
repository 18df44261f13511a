#pragma once

#include "battlelist.h"

#include <QObject>

#include <vector>

// The battle list as the replay leaves it: the rows' texts and the row the
// list selected, held without any widget. Every change is also announced, so
// that a list on screen can follow it operation by operation.
class BattleRows : public QObject, public BattleListControl {
    Q_OBJECT

public:
    using QObject::QObject;

    const std::vector<Row> &Rows() const { return rows_; }
    // The selected row; -1 when none.
    int SelectedRow() const { return selected_; }
    bool SelectionShownAlways() const { return selectionShownAlways_; }
    void Clear();

    // BattleListControl
    int RowCount() const override { return int(rows_.size()); }
    void AppendRow(const Row &cells) override;
    void DeleteRow(int row) override;
    void SetTurnsAndResult(int row, const std::string &turns, const std::string &result) override;
    void SelectRow(int row) override;
    void ShowSelectionAlways(bool always) override;
    void BeginUpdate() override { emit UpdateBegun(); }
    void EndUpdate() override { emit UpdateEnded(); }

signals:
    void RowAppended(int row);
    void RowDeleted(int row);
    void RowTextsChanged(int row);
    void RowSelected(int row);
    void SelectionShownAlwaysChanged(bool always);
    void UpdateBegun();
    void UpdateEnded();
    void Cleared();

private:
    std::vector<Row> rows_;
    int selected_ = -1;
    bool selectionShownAlways_ = false;
};
