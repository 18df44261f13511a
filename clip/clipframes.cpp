#include "clipframes.h"

#include "arenagrid.h"
#include "mappainter.h"
#include "replaycopy.h"
#include "scaledmap.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <vector>

namespace ostrel {

namespace {

// Past this many changed tiles one whole repaint costs less than the pieces.
constexpr std::size_t WholeRepaintTiles = 4096;

bool TilesBefore(QPoint a, QPoint b)
{
    return a.y() != b.y() ? a.y() < b.y() : a.x() < b.x();
}

// A tile is a cell's interior with the line pixels to its right and below.
// At a reduced scale a target pixel averages the map pixels under it, so the
// tile's scaled rectangle is widened by a pixel each way.
QRect ScaledTile(QPoint tile, double scale)
{
    const QRect rect(ArenaGrid::Margin + 1 + ArenaGrid::CellPitch * tile.x(),
                     ArenaGrid::Margin + 1 + ArenaGrid::CellPitch * tile.y(), ArenaGrid::CellPitch, ArenaGrid::CellPitch);
    if (scale == 1.0)
        return rect;
    return QRect(QPoint(int(std::floor(rect.left() * scale)) - 1, int(std::floor(rect.top() * scale)) - 1),
                 QPoint(int(std::ceil((rect.right() + 1) * scale)) + 1, int(std::ceil((rect.bottom() + 1) * scale)) + 1));
}

} // namespace

ClipFrames::ClipFrames(ReplayCopy &replay, double scale, QRect area, FrameOverlay overlay)
    : replay_(replay), scale_(scale), overlay_(std::move(overlay))
{
    const QRect whole(QPoint(0, 0), scale_ == 1.0 ? replay_.Grid().MapSize() : ScaledMapSize(replay_.Grid().MapSize(), scale_));
    area_ = area.isNull() ? whole : area & whole;
    map_ = QImage(area_.size(), QImage::Format_RGB32);
    replay_.Grid().TrackChanges(true);
}

ClipFrames::~ClipFrames()
{
    replay_.Grid().TrackChanges(false);
}

const QImage &ClipFrames::At(int position)
{
    replay_.SeekTo(position);
    std::vector<QPoint> tiles = replay_.Grid().TakeChangedTiles();
    // Above 100 % the window draws blocks whose edges depend on the part it
    // draws; the row of tiles above the arena also gives the shade of every
    // grid line below 100 %. Either way only a whole repaint is exact.
    const bool whole = !painted_ || scale_ > 1.0 || tiles.size() > WholeRepaintTiles
        || (scale_ < 1.0 && std::any_of(tiles.begin(), tiles.end(), [](QPoint t) { return t.y() < 0; }));
    if (whole) {
        Repaint(area_);
        painted_ = true;
    } else {
        std::sort(tiles.begin(), tiles.end(), TilesBefore);
        tiles.erase(std::unique(tiles.begin(), tiles.end()), tiles.end());
        for (QPoint tile : tiles) {
            const QRect part = ScaledTile(tile, scale_) & area_;
            if (!part.isEmpty())
                Repaint(part);
        }
    }
    if (!overlay_)
        return map_;
    overlaid_ = map_.copy();
    QPainter painter(&overlaid_);
    painter.translate(-area_.topLeft());
    overlay_(painter, position);
    return overlaid_;
}

// part lies in area_; its pixels are painted in place, through a view of
// map_ whose pixel (0, 0) is part's top left.
void ClipFrames::Repaint(const QRect &part)
{
    const ArenaGrid &grid = replay_.Grid();
    if (scale_ > 1.0) {
        map_.fill(ArenaGrid::MapBackgroundColor);
        QPainter painter(&map_);
        painter.translate(-area_.topLeft());
        PaintMapMagnified(grid, painter, area_, scale_);
        return;
    }
    const QPoint offset = part.topLeft() - area_.topLeft();
    QImage view(map_.bits() + std::ptrdiff_t(offset.y()) * map_.bytesPerLine() + std::ptrdiff_t(offset.x()) * 4,
                part.width(), part.height(), map_.bytesPerLine(), QImage::Format_RGB32);
    if (scale_ == 1.0)
        PaintMap(grid, view, part);
    else
        PaintMapReduced(grid, view, part, scale_);
}

} // namespace ostrel
