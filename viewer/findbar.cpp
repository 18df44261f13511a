#include "findbar.h"

#include "entrantfindmodel.h"
#include "replaysession.h"
#include "stringtable.h"
#include "uitext.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QStyle>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>

namespace ostrel {

namespace {

// Rows the list shows before it scrolls.
constexpr int ShownRows = 8;
constexpr int MaximumWidth = 560;

} // namespace

FindBar::FindBar(const ReplaySession &session, QWidget *parent) : QFrame(parent), session_(session)
{
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    // Its own background, not the map's that the pane passes on.
    QPalette own = palette();
    own.setColor(QPalette::Window, QApplication::palette().color(QPalette::Window));
    setPalette(own);
    setAutoFillBackground(true);

    Query = new QLineEdit(this);
    Query->setPlaceholderText(UiText(IdsFindPlaceholder));
    Query->setClearButtonEnabled(true);
    Count = new QLabel(this);
    CloseButton = new QToolButton(this);
    CloseButton->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    CloseButton->setToolTip(UiText(IdsFindClose));
    CloseButton->setAutoRaise(true);
    CloseButton->setFocusPolicy(Qt::NoFocus);

    Found = new EntrantFindModel(session, this);
    Results = new QTreeView(this);
    Results->setModel(Found);
    Results->setRootIsDecorated(false);
    Results->setItemsExpandable(false);
    // Every row is as high as the first, so the view lays out and scrolls
    // without asking any other row for its size.
    Results->setUniformRowHeights(true);
    Results->setAllColumnsShowFocus(true);
    Results->setSelectionBehavior(QAbstractItemView::SelectRows);
    Results->setSelectionMode(QAbstractItemView::SingleSelection);
    Results->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Results->header()->setStretchLastSection(false);
    for (auto [column, width] : {std::pair{EntrantFindModel::IndexColumn, 60}, {EntrantFindModel::EmblemColumn, 50},
                                 {EntrantFindModel::NameColumn, 160}, {EntrantFindModel::OwnerColumn, 160},
                                 {EntrantFindModel::InPlayColumn, 60}})
        Results->setColumnWidth(column, width);
    Results->hide();

    auto *line = new QHBoxLayout;
    line->setContentsMargins(0, 0, 0, 0);
    line->addWidget(Query, 1);
    line->addWidget(Count);
    line->addWidget(CloseButton);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(4, 4, 4, 4);
    column->setSpacing(4);
    column->addLayout(line);
    column->addWidget(Results, 1);
    // The bar is as wide as the pane lets it be; the list scrolls sideways.
    column->setSizeConstraint(QLayout::SetNoConstraint);

    connect(Query, &QLineEdit::textChanged, this, &FindBar::OnTextEdited);
    connect(Query, &QLineEdit::returnPressed, this, &FindBar::FollowCurrent);
    connect(Results, &QAbstractItemView::activated, this,
            [this](const QModelIndex &index) { FollowRow(index.row()); });
    connect(CloseButton, &QToolButton::clicked, this, &FindBar::Close);
    Query->installEventFilter(this);
    Results->installEventFilter(this);
    parent->installEventFilter(this);
    hide();
}

void FindBar::Open()
{
    // The folded texts are built here rather than on the first keystroke.
    session_.Search();
    Place();
    show();
    raise();
    Query->setFocus(Qt::ShortcutFocusReason);
    Query->selectAll();
}

void FindBar::Close()
{
    // The focus goes back to the window, not to whatever follows in the
    // tab chain.
    if (isAncestorOf(QApplication::focusWidget()) && window())
        window()->setFocus(Qt::OtherFocusReason);
    hide();
}

void FindBar::FindAgain()
{
    OnTextEdited(Query->text());
}

void FindBar::RefreshInPlay()
{
    if (isVisible())
        Found->RefreshInPlay();
}

void FindBar::OnTextEdited(const QString &text)
{
    Found->Find(text);
    const int found = Found->rowCount();
    Count->setText(text.isEmpty() ? QString() : UiText(IdsFindCount).arg(found));
    Results->setVisible(found > 0);
    if (found > 0)
        Results->setCurrentIndex(Found->index(0, 0));
    Place();
}

void FindBar::FollowRow(int row)
{
    const int entrant = Found->EntrantOf(row);
    if (entrant < 0)
        return;
    Close();
    emit FollowRequested(entrant);
}

void FindBar::FollowCurrent()
{
    FollowRow(std::max(Results->currentIndex().row(), 0));
}

bool FindBar::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == parent()) {
        if (event->type() == QEvent::Resize && isVisible())
            Place();
        return false;
    }
    const bool key = event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride;
    if (!key)
        return false;
    auto *press = static_cast<QKeyEvent *>(event);
    // Esc belongs to the bar while it has the focus, ahead of the window's
    // shortcut on the same key.
    if (press->key() == Qt::Key_Escape && press->modifiers() == Qt::NoModifier) {
        event->accept();
        if (event->type() == QEvent::KeyPress)
            Close();
        return true;
    }
    if (watched == Results && event->type() == QEvent::KeyPress
        && (press->key() == Qt::Key_Return || press->key() == Qt::Key_Enter)) {
        FollowCurrent();
        return true;
    }
    // The list's moves work from the text field, where the typing goes on.
    if (watched == Query && event->type() == QEvent::KeyPress) {
        switch (press->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            QCoreApplication::sendEvent(Results, event);
            return true;
        default:
            break;
        }
    }
    return false;
}

void FindBar::Place()
{
    const auto *area = parentWidget();
    if (!area)
        return;
    const QRect inside = area->contentsRect();
    const int width = std::min(inside.width(), MaximumWidth);
    int height = layout()->contentsMargins().top() + layout()->contentsMargins().bottom() + Query->sizeHint().height();
    if (Results->isVisibleTo(this)) {
        const int rows = std::min(Found->rowCount(), ShownRows);
        const int rowHeight = std::max(Results->sizeHintForRow(0), 1);
        height += layout()->spacing() + Results->header()->sizeHint().height() + rows * rowHeight
            + 2 * Results->frameWidth();
        // The horizontal scroll bar, when the columns are wider than the bar.
        height += Results->horizontalScrollBar()->sizeHint().height();
    }
    setGeometry(inside.left(), inside.top(), width, std::min(height + 2 * frameWidth(), inside.height()));
}

} // namespace ostrel
