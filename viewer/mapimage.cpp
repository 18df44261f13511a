#include "mapimage.h"

#include "arenagrid.h"
#include "mappainter.h"

#include <QImage>
#include <QPaintEvent>
#include <QPainter>

#include <cmath>

MapImage::MapImage(QWidget *parent) : QWidget(parent) {}

void MapImage::Present(const ArenaGrid *grid)
{
    grid_ = grid && grid->IsDrawn() ? grid : nullptr;
    FollowMapSize();
    update();
}

void MapImage::SetScale(double scale)
{
    scale = scale > 0 && scale < 1 ? scale : 1.0;
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

QPoint MapImage::MapPoint(QPoint widgetPoint) const
{
    return {int(std::floor(widgetPoint.x() / scale_)), int(std::floor(widgetPoint.y() / scale_))};
}

void MapImage::paintEvent(QPaintEvent *event)
{
    if (!grid_ || !grid_->IsDrawn())
        return;
    const QRect exposed = event->rect();
    // The map pixels under the exposed widget pixels.
    const QRect area = QRect(MapPoint(exposed.topLeft()), MapPoint(exposed.bottomRight() + QPoint(1, 1)))
                       & QRect(QPoint(0, 0), grid_->MapSize());
    if (area.isEmpty())
        return;
    QImage part(area.size(), QImage::Format_RGB32);
    PaintMap(*grid_, part, area);
    QPainter painter(this);
    if (scale_ == 1.0) {
        painter.drawImage(area.topLeft(), part);
        return;
    }
    // Averaging, unlike sampling, keeps the thin grid lines as a tint
    // instead of dropping most of them.
    const QPoint topLeft(int(std::lround(area.left() * scale_)), int(std::lround(area.top() * scale_)));
    const QPoint end(int(std::lround((area.right() + 1) * scale_)), int(std::lround((area.bottom() + 1) * scale_)));
    const QSize target(std::max(1, end.x() - topLeft.x()), std::max(1, end.y() - topLeft.y()));
    painter.drawImage(topLeft, part.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}
