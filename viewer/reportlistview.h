#pragma once

#include <QList>
#include <QString>
#include <QTreeView>

class QIdentityProxyModel;

namespace ostrel {

struct ReportColumn
{
    QString Caption;
    int Width;
    int MinimumWidth;
};

// A flat report-style list over a table model: fixed columns with captions
// of their own, each with its own minimum width, headers that are neither
// buttons nor movable, one whole row selected at a time, no editing in
// place. The selected row can be shown always, or only while the list has
// the keyboard focus.
class ReportListView : public QTreeView
{
    Q_OBJECT

public:
    explicit ReportListView(QWidget *parent);

    void SetColumns(const QList<ReportColumn> &columns);
    // Shows the rows of model under the list's own captions.
    void SetRows(QAbstractItemModel *model);
    int RowCount() const;
    // Selects the whole row (none for -1) and makes it the current one.
    void SelectRow(int row);
    // The selected row, or -1.
    int SelectedRow() const;

    // false: while another control has the focus the selected row is drawn
    // like any other row (it stays selected).
    void ShowSelectionAlways(bool always);

protected:
    void initViewItemOption(QStyleOptionViewItem *option) const override;

private:
    void ApplyColumns();
    void KeepColumnMinimum(int column, int oldWidth, int newWidth);

    QIdentityProxyModel *captioned_;
    QStringList captions_;
    QList<int> widths_;
    QList<int> minimumWidths_;
    bool selectionAlwaysShown_ = true;
};

} // namespace ostrel
