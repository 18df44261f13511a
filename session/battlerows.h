#pragma once

#include "battlelist.h"

#include <QAbstractTableModel>

#include <vector>

// The battle list as the replay leaves it: the rows' texts (Shift-JIS) and
// the row the list selected, held without any widget, and offered to list
// views as a table model whose cells are decoded for display.
//
// A refresh runs between BeginUpdate and EndUpdate; views learn of it once,
// at EndUpdate: the rows appended or deleted as one insertion or removal, the
// rewritten cells as one change, then the selection. So the thousands of rows
// that a seek over a whole tournament adds cost one notification.
class BattleRows : public QAbstractTableModel, public BattleListControl {
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

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
    void BeginUpdate() override { ++updateDepth_; }
    void EndUpdate() override;

    // QAbstractTableModel
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

signals:
    // The list selected a row; views show it as their selection.
    void RowSelected(int row);
    void SelectionShownAlwaysChanged(bool always);

private:
    void Announce();
    void MarkChanged(int row);

    std::vector<Row> rows_;
    int selected_ = -1;
    bool selectionShownAlways_ = false;
    int updateDepth_ = 0;
    // What views have been told: their row count, and the rows rewritten
    // since (an empty range when lo > hi).
    int shownRows_ = 0;
    int changedLo_ = 0;
    int changedHi_ = -1;
    bool selectionPending_ = false;
};
