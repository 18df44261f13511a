#include "mapimage.h"

#include "arenagrid.h"
#include "mappainter.h"
#include "scaledmap.h"

#include <QImage>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace ostrel {

MapImage::MapImage(QWidget *parent) : QWidget(parent) {}

void MapImage::Present(const ArenaGrid *grid)
{
    grid_ = grid && grid->IsDrawn() ? grid : nullptr;
    FollowMapSize();
    update();
}

void MapImage::SetScale(double scale)
{
    constexpr double Closest = 4.0;
    scale = scale > 0 && scale <= Closest ? scale : 1.0;
    if (scale == scale_)
        return;
    scale_ = scale;
    FollowMapSize();
    update();
}

void MapImage::FollowMapSize()
{
    const QSize map = grid_ ? grid_->MapSize() : QSize(0, 0);
    const QSize scaled(int(std::ceil(map.width() * scale_)), int(std::ceil(map.height() * scale_)));
    if (size() != scaled.expandedTo(minimumSize()))
        resize(scaled.expandedTo(minimumSize()));
}

void MapImage::SetFollowOverlay(FollowOverlay overlay)
{
    if (overlay == overlay_)
        return;
    update(FollowOverlayBounds(overlay_, scale_));
    overlay_ = std::move(overlay);
    update(FollowOverlayBounds(overlay_, scale_));
}

QPoint MapImage::MapPoint(QPoint widgetPoint) const
{
    return {int(std::floor(widgetPoint.x() / scale_)), int(std::floor(widgetPoint.y() / scale_))};
}

void MapImage::paintEvent(QPaintEvent *event)
{
    if (!grid_ || !grid_->IsDrawn())
        return;
    QPainter painter(this);
    if (scale_ < 1.0) {
        PaintScaled(painter, event->rect());
    } else if (scale_ > 1.0) {
        PaintMagnified(painter, event->rect());
    } else {
        const QRect area = event->rect() & QRect(QPoint(0, 0), grid_->MapSize());
        if (!area.isEmpty()) {
            QImage part(area.size(), QImage::Format_RGB32);
            PaintMap(*grid_, part, area);
            painter.drawImage(area.topLeft(), part);
        }
    }
    if (!overlay_.IsEmpty() && FollowOverlayBounds(overlay_, scale_).intersects(event->rect()))
        PaintFollowOverlay(painter, overlay_, scale_);
}

void MapImage::PaintMagnified(QPainter &painter, const QRect &exposed)
{
    PaintMapMagnified(*grid_, painter, exposed, scale_);
}

void MapImage::PaintScaled(QPainter &painter, const QRect &exposed)
{
    const QSize map = grid_->MapSize();
    // The widget may be larger than the scaled map (it keeps a minimum size).
    const QRect target = exposed & QRect(0, 0, int(map.width() * scale_), int(map.height() * scale_));
    if (target.isEmpty())
        return;
    QImage out(target.size(), QImage::Format_RGB32);
    PaintMapReduced(*grid_, out, target, scale_);
    painter.drawImage(target.topLeft(), out);
}

} // namespace ostrel
