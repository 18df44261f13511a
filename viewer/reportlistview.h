#pragma once

#include <QList>
#include <QString>
#include <QTreeWidget>

struct ReportColumn
{
    QString Caption;
    int Width;
    int MinimumWidth;
};

// A flat report-style list: fixed columns, each with its own minimum width,
// headers that are neither buttons nor movable, one whole row selected at a
// time, no editing in place. The selected row can be shown always, or only
// while the list has the keyboard focus.
class ReportListView : public QTreeWidget
{
    Q_OBJECT

public:
    explicit ReportListView(QWidget *parent);

    void SetColumns(const QList<ReportColumn> &columns);

    // false: while another control has the focus the selected row is drawn
    // like any other row (it stays selected).
    void ShowSelectionAlways(bool always);

protected:
    void initViewItemOption(QStyleOptionViewItem *option) const override;

private:
    void KeepColumnMinimum(int column, int oldWidth, int newWidth);

    QList<int> MinimumWidths;
    bool SelectionAlwaysShown = true;
};
