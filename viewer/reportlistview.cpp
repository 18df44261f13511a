#include "reportlistview.h"

#include <QHeaderView>
#include <QStyleOptionViewItem>

#include <algorithm>

ReportListView::ReportListView(QWidget *parent) : QTreeWidget(parent)
{
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    header()->setSectionsClickable(false);
    header()->setSectionsMovable(false);
    header()->setStretchLastSection(false);
    connect(header(), &QHeaderView::sectionResized, this, &ReportListView::KeepColumnMinimum);
}

void ReportListView::SetColumns(const QList<ReportColumn> &columns)
{
    MinimumWidths.clear();
    QStringList captions;
    for (const ReportColumn &column : columns) {
        captions << column.Caption;
        MinimumWidths << column.MinimumWidth;
    }
    setColumnCount(int(columns.size()));
    setHeaderLabels(captions);
    // QHeaderView knows one minimum for all sections; it takes the smallest,
    // and KeepColumnMinimum holds the wider ones.
    if (!MinimumWidths.isEmpty())
        header()->setMinimumSectionSize(*std::min_element(MinimumWidths.cbegin(), MinimumWidths.cend()));
    for (int column = 0; column < columns.size(); ++column)
        header()->resizeSection(column, columns[column].Width);
}

void ReportListView::ShowSelectionAlways(bool always)
{
    SelectionAlwaysShown = always;
    viewport()->update();
}

// Qt's inactive colour group follows the window's activation, not the list's
// focus, so hiding the selection is done on the colours handed to each row.
// The view repaints itself whenever it gains or loses the focus.
void ReportListView::initViewItemOption(QStyleOptionViewItem *option) const
{
    QTreeWidget::initViewItemOption(option);
    if (SelectionAlwaysShown || hasFocus())
        return;
    option->palette.setBrush(QPalette::Highlight, option->palette.brush(QPalette::Base));
    option->palette.setBrush(QPalette::HighlightedText, option->palette.brush(QPalette::Text));
}

void ReportListView::KeepColumnMinimum(int column, int, int newWidth)
{
    if (column < MinimumWidths.size() && newWidth < MinimumWidths[column])
        header()->resizeSection(column, MinimumWidths[column]);
}
