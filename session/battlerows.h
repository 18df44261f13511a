#pragma once

#include "battlelist.h"

#include <QAbstractTableModel>

#include <vector>

namespace ostrel {

// The battle list as the replay leaves it: how many rows, the moment they
// show and the row the list selected, held without any widget, and offered to
// list views as a table model whose cells are decoded for display. A row's
// texts are made when they are read, so a refresh costs the rows that change
// and a view the rows it shows, not the rows there are.
//
// A refresh runs between BeginUpdate and EndUpdate; views learn of it once,
// at EndUpdate: the rows appended or deleted as one insertion or removal, the
// rewritten cells as one change, then the selection. So the thousands of rows
// that a seek over a whole tournament adds cost one notification.
class BattleRows : public QAbstractTableModel, public BattleListControl {
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    // The texts (Shift-JIS) of every row, or of one.
    std::vector<Row> Rows() const;
    Row RowTexts(int row) const;
    // The selected row; -1 when none.
    int SelectedRow() const { return selected_; }
    bool SelectionShownAlways() const { return selectionShownAlways_; }
    void Clear();

    // BattleListControl
    int RowCount() const override { return count_; }
    void ShowMoment(const ReplayModel &model, const BattleListMoment &moment) override;
    void AppendRow() override;
    void DeleteLastRow() override;
    void TurnsAndResultChanged(int row) override;
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

    const ReplayModel *model_ = nullptr;
    BattleListMoment moment_;
    int count_ = 0;  // rows; row i shows battle i of model_
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

} // namespace ostrel
