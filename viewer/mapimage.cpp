#include "mapimage.h"

#include <QImage>
#include <QPaintEvent>
#include <QPainter>

MapImage::MapImage(QWidget *parent) : QWidget(parent) {}

void MapImage::Present(const QImage *bitmap)
{
    bitmap_ = bitmap;
    if (bitmap_ && size() != bitmap_->size().expandedTo(minimumSize()))
        resize(bitmap_->size().expandedTo(minimumSize()));
    update();
}

void MapImage::paintEvent(QPaintEvent *event)
{
    if (!bitmap_)
        return;
    QPainter painter(this);
    const QRect area = event->rect() & bitmap_->rect();
    painter.drawImage(area.topLeft(), *bitmap_, area);
}
