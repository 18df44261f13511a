#pragma once

#include <QImage>
#include <QRect>

namespace ostrel {

class ArenaGrid;

// Paints the part area of the map (in map pixels) into target, whose pixel
// (0, 0) receives the map's area.topLeft(). target must be at least as large
// as area and of Format_RGB32. The cost follows the cells in area, not the
// size of the arena.
void PaintMap(const ArenaGrid &grid, QImage &target, const QRect &area);
// The whole map as an image, 25 * Columns + 20 by 25 * Rows + 20 pixels.
QImage RenderMap(const ArenaGrid &grid);

} // namespace ostrel
