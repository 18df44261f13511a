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
    : QObject(parent), Pane(pane), Viewport(pane.viewport()), Image(image)
{
    Pane.installEventFilter(this);
    Pane.viewport()->installEventFilter(this);
}

void MapZoomer::SetPercent(int percent)
{
    Zoom.SetPercent(percent);
    Apply();
}

void MapZoomer::ZoomIn()
{
    if (Zoom.ZoomIn(FitScale()))
        ApplyKeeping(PaneCentre());
}

void MapZoomer::ZoomOut()
{
    if (Zoom.ZoomOut(FitScale()))
        ApplyKeeping(PaneCentre());
}

void MapZoomer::Reset()
{
    if (Zoom.Reset())
        ApplyKeeping(PaneCentre());
}

void MapZoomer::Apply()
{
    Image.SetScale(Zoom.Scale(FitScale()));
}

// The size the viewport has without scroll bars, since a map that fits
// needs none.
double MapZoomer::FitScale() const
{
    const ArenaGrid *grid = Image.Grid();
    return grid ? MapZoom::FitScale(grid->MapSize(), Pane.maximumViewportSize()) : 1.0;
}

QPoint MapZoomer::PaneCentre() const
{
    return Pane.viewport()->rect().center();
}

void MapZoomer::ApplyKeeping(QPoint anchor)
{
    QScrollBar *horizontal = Pane.horizontalScrollBar();
    QScrollBar *vertical = Pane.verticalScrollBar();
    const double before = Image.Scale();
    const double x = (horizontal->value() + anchor.x()) / before;
    const double y = (vertical->value() + anchor.y()) / before;
    Apply();
    const double after = Image.Scale();
    horizontal->setValue(int(std::lround(x * after)) - anchor.x());
    vertical->setValue(int(std::lround(y * after)) - anchor.y());
}

bool MapZoomer::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &Pane && event->type() == QEvent::Resize) {
        Apply();
        return false;
    }
    if (watched != Viewport || event->type() != QEvent::Wheel)
        return false;
    auto *wheel = static_cast<QWheelEvent *>(event);
    if (!(wheel->modifiers() & Qt::ControlModifier))
        return false;
    WheelAngle += wheel->angleDelta().y();
    const QPoint anchor = wheel->position().toPoint();
    for (; WheelAngle >= NotchAngle; WheelAngle -= NotchAngle) {
        if (Zoom.ZoomIn(FitScale()))
            ApplyKeeping(anchor);
    }
    for (; WheelAngle <= -NotchAngle; WheelAngle += NotchAngle) {
        if (Zoom.ZoomOut(FitScale()))
            ApplyKeeping(anchor);
    }
    return true;
}

} // namespace ostrel
