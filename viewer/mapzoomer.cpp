#include "mapzoomer.h"

#include "arenagrid.h"
#include "mapimage.h"

#include <QScrollArea>
#include <QScrollBar>
#include <QWheelEvent>

#include <cmath>

namespace ostrel {

namespace {

// One notch of a common mouse wheel.
constexpr int NotchAngle = 120;

} // namespace

MapZoomer::MapZoomer(QScrollArea &pane, MapImage &image, QObject *parent)
    : QObject(parent), pane_(pane), viewport_(pane.viewport()), image_(image)
{
    pane_.installEventFilter(this);
    pane_.viewport()->installEventFilter(this);
}

void MapZoomer::SetPercent(int percent)
{
    zoom_.SetPercent(percent);
    Apply();
}

void MapZoomer::ZoomIn()
{
    if (zoom_.ZoomIn(FitScale()))
        ApplyKeeping(PaneCentre());
}

void MapZoomer::ZoomOut()
{
    if (zoom_.ZoomOut(FitScale()))
        ApplyKeeping(PaneCentre());
}

void MapZoomer::Reset()
{
    if (zoom_.Reset())
        ApplyKeeping(PaneCentre());
}

void MapZoomer::Apply()
{
    const double before = image_.Scale();
    image_.SetScale(zoom_.Scale(FitScale()));
    if (image_.Scale() != before)
        emit ScaleChanged();
}

// The size the viewport has without scroll bars, since a map that fits
// needs none.
double MapZoomer::FitScale() const
{
    const ArenaGrid *grid = image_.Grid();
    return grid ? MapZoom::FitScale(grid->MapSize(), pane_.maximumViewportSize()) : 1.0;
}

QPoint MapZoomer::PaneCentre() const
{
    return pane_.viewport()->rect().center();
}

void MapZoomer::ApplyKeeping(QPoint anchor)
{
    QScrollBar *horizontal = pane_.horizontalScrollBar();
    QScrollBar *vertical = pane_.verticalScrollBar();
    const double before = image_.Scale();
    const double x = (horizontal->value() + anchor.x()) / before;
    const double y = (vertical->value() + anchor.y()) / before;
    Apply();
    const double after = image_.Scale();
    horizontal->setValue(int(std::lround(x * after)) - anchor.x());
    vertical->setValue(int(std::lround(y * after)) - anchor.y());
}

bool MapZoomer::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &pane_ && event->type() == QEvent::Resize) {
        Apply();
        return false;
    }
    if (watched != viewport_ || event->type() != QEvent::Wheel)
        return false;
    auto *wheel = static_cast<QWheelEvent *>(event);
    if (!(wheel->modifiers() & Qt::ControlModifier))
        return false;
    wheelAngle_ += wheel->angleDelta().y();
    const QPoint anchor = wheel->position().toPoint();
    for (; wheelAngle_ >= NotchAngle; wheelAngle_ -= NotchAngle) {
        if (zoom_.ZoomIn(FitScale()))
            ApplyKeeping(anchor);
    }
    for (; wheelAngle_ <= -NotchAngle; wheelAngle_ += NotchAngle) {
        if (zoom_.ZoomOut(FitScale()))
            ApplyKeeping(anchor);
    }
    return true;
}

} // namespace ostrel
