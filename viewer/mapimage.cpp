#include "mapimage.h"

#include "arenagrid.h"
#include "mappainter.h"

#include <QImage>
#include <QPaintEvent>
#include <QPainter>

MapImage::MapImage(QWidget *parent) : QWidget(parent) {}

void MapImage::Present(const ArenaGrid *grid)
{
    grid_ = grid && grid->IsDrawn() ? grid : nullptr;
    if (grid_ && size() != grid_->MapSize().expandedTo(minimumSize()))
        resize(grid_->MapSize().expandedTo(minimumSize()));
    update();
}

void MapImage::paintEvent(QPaintEvent *event)
{
    if (!grid_ || !grid_->IsDrawn())
        return;
    const QRect area = event->rect() & QRect(QPoint(0, 0), grid_->MapSize());
    if (area.isEmpty())
        return;
    QImage part(area.size(), QImage::Format_RGB32);
    PaintMap(*grid_, part, area);
    QPainter(this).drawImage(area.topLeft(), part);
}
