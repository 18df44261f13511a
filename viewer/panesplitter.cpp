#include "panesplitter.h"

#include <QMouseEvent>
#include <QSplitterHandle>

#include <algorithm>

namespace ostrel {

class PaneSplitter::DragHandle : public QSplitterHandle
{
public:
    DragHandle(Qt::Orientation orientation, PaneSplitter *parent)
        : QSplitterHandle(orientation, parent), Owner(parent)
    {
    }

protected:
    void mousePressEvent(QMouseEvent *event) override
    {
        if (event->button() == Qt::LeftButton)
            Owner->BeginDrag();
        QSplitterHandle::mousePressEvent(event);
    }

    void mouseReleaseEvent(QMouseEvent *event) override
    {
        // The base class moves the panes on release, so the drag minimums
        // must still hold while it runs.
        QSplitterHandle::mouseReleaseEvent(event);
        if (event->button() == Qt::LeftButton)
            Owner->EndDrag();
    }

private:
    PaneSplitter *Owner;
};

PaneSplitter::PaneSplitter(Qt::Orientation orientation, QWidget *parent)
    : QSplitter(orientation, parent)
{
    setChildrenCollapsible(false);
    setOpaqueResize(false);
}

void PaneSplitter::SetDragMinimums(int first, int second)
{
    dragMinimums_ = {first, second};
}

QSplitterHandle *PaneSplitter::createHandle()
{
    return new DragHandle(orientation(), this);
}

// QSplitter bounds a drag by its panes' minimum sizes, so the drag minimums
// stand in for the resting ones until the button is released.
void PaneSplitter::BeginDrag()
{
    if (restingMinimums_ || count() < 2)
        return;
    restingMinimums_ = std::array<QSize, 2>{widget(0)->minimumSize(), widget(1)->minimumSize()};
    for (int pane = 0; pane < 2; ++pane) {
        const QSize resting = (*restingMinimums_)[pane];
        const int restingExtent = orientation() == Qt::Horizontal ? resting.width() : resting.height();
        SetExtentMinimum(widget(pane), std::max(restingExtent, dragMinimums_[pane]));
    }
}

void PaneSplitter::EndDrag()
{
    if (!restingMinimums_)
        return;
    for (int pane = 0; pane < 2; ++pane)
        widget(pane)->setMinimumSize((*restingMinimums_)[pane]);
    restingMinimums_.reset();
}

void PaneSplitter::SetExtentMinimum(QWidget *pane, int extent)
{
    if (orientation() == Qt::Horizontal)
        pane->setMinimumWidth(extent);
    else
        pane->setMinimumHeight(extent);
}

} // namespace ostrel
