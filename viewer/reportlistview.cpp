#include "reportlistview.h"

#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QStyleOptionViewItem>

#include <algorithm>

namespace ostrel {

namespace {

// The rows of a model under captions that the list gives its columns.
class CaptionedRows : public QIdentityProxyModel
{
public:
    CaptionedRows(const QStringList &captions, QObject *parent) : QIdentityProxyModel(parent), captions_(captions) {}

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < captions_.size())
            return captions_[section];
        return QIdentityProxyModel::headerData(section, orientation, role);
    }

private:
    const QStringList &captions_;
};

} // namespace

ReportListView::ReportListView(QWidget *parent) : QTreeView(parent), captioned_(new CaptionedRows(captions_, this))
{
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setItemsExpandable(false);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    header()->setSectionsClickable(false);
    header()->setSectionsMovable(false);
    header()->setStretchLastSection(false);
    connect(header(), &QHeaderView::sectionResized, this, &ReportListView::KeepColumnMinimum);
    setModel(captioned_);
}

void ReportListView::SetColumns(const QList<ReportColumn> &columns)
{
    captions_.clear();
    widths_.clear();
    minimumWidths_.clear();
    for (const ReportColumn &column : columns) {
        captions_ << column.Caption;
        widths_ << column.Width;
        minimumWidths_ << column.MinimumWidth;
    }
    ApplyColumns();
}

void ReportListView::SetRows(QAbstractItemModel *model)
{
    captioned_->setSourceModel(model);
    ApplyColumns();
}

void ReportListView::ApplyColumns()
{
    // QHeaderView knows one minimum for all sections; it takes the smallest,
    // and KeepColumnMinimum holds the wider ones.
    if (!minimumWidths_.isEmpty())
        header()->setMinimumSectionSize(*std::min_element(minimumWidths_.cbegin(), minimumWidths_.cend()));
    for (int column = 0; column < widths_.size() && column < header()->count(); ++column)
        header()->resizeSection(column, widths_[column]);
    emit captioned_->headerDataChanged(Qt::Horizontal, 0, int(captions_.size()) - 1);
}

int ReportListView::RowCount() const
{
    return model()->rowCount();
}

void ReportListView::SelectRow(int row)
{
    if (row < 0 || row >= RowCount()) {
        selectionModel()->clear();
        return;
    }
    selectionModel()->setCurrentIndex(model()->index(row, 0),
                                      QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

int ReportListView::SelectedRow() const
{
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.constFirst().row();
}

void ReportListView::ShowSelectionAlways(bool always)
{
    selectionAlwaysShown_ = always;
    viewport()->update();
}

// Qt's inactive colour group follows the window's activation, not the list's
// focus, so hiding the selection is done on the colours handed to each row.
// The view repaints itself whenever it gains or loses the focus.
void ReportListView::initViewItemOption(QStyleOptionViewItem *option) const
{
    QTreeView::initViewItemOption(option);
    if (selectionAlwaysShown_ || hasFocus())
        return;
    option->palette.setBrush(QPalette::Highlight, option->palette.brush(QPalette::Base));
    option->palette.setBrush(QPalette::HighlightedText, option->palette.brush(QPalette::Text));
}

void ReportListView::KeepColumnMinimum(int column, int, int newWidth)
{
    if (column < minimumWidths_.size() && newWidth < minimumWidths_[column])
        header()->resizeSection(column, minimumWidths_[column]);
}

} // namespace ostrel
