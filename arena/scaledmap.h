#pragma once

#include <QImage>
#include <QRect>
#include <QSize>

class QPainter;

namespace ostrel {

class ArenaGrid;

// The map at a scale, as the window shows it when zoomed. Coordinates are
// the scaled map's pixels; a part painted alone has exactly the pixels it
// has in the whole, so a picture may be brought up to date piece by piece.

// The size of the whole map at scale: each side rounded to whole pixels.
QSize ScaledMapSize(QSize mapSize, double scale);

// Below 1: each pixel shows the mean of the map pixels under it. Paints area
// into target (pixel (0, 0) receives area.topLeft()), which must be of
// Format_RGB32 and at least as large as area.
void PaintMapReduced(const ArenaGrid &grid, QImage &target, const QRect &area, double scale);
// Above 1: each map pixel becomes a block, unsmoothed. Paints the map pixels
// under exposed, in the painter's coordinates.
void PaintMapMagnified(const ArenaGrid &grid, QPainter &painter, const QRect &exposed, double scale);

} // namespace ostrel
