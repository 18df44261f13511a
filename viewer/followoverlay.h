#pragma once

#include <QPoint>
#include <QRect>

#include <vector>

class QPainter;

namespace ostrel {

struct EntrantHistory;

// What the view draws over the map for the entrant being followed: the
// cells of its trail, oldest first, ending with the cell it is in now, which
// carries the marker. Nothing while no entrant is followed.
struct FollowOverlay {
    std::vector<QPoint> Trail;  // columns and rows
    bool InPlay = true;
    bool WholePath = false;

    bool IsEmpty() const { return Trail.empty(); }
    bool operator==(const FollowOverlay &) const = default;
};

// The positions a short trail reaches back over.
inline constexpr int ShortTrailPositions = 8;

// The overlay of an entrant's history at a position: the cells it was in
// over the last ShortTrailPositions positions, or since position 0 when
// wholePath is set.
FollowOverlay FollowOverlayAt(const EntrantHistory &history, int position, bool wholePath);

// Paints the overlay on a map shown at scale (map pixels times scale give
// the painter's pixels). The marker keeps a size that can be seen however
// far the map is zoomed out.
void PaintFollowOverlay(QPainter &painter, const FollowOverlay &overlay, double scale);

// The painter's pixels the overlay may touch at scale.
QRect FollowOverlayBounds(const FollowOverlay &overlay, double scale);

} // namespace ostrel
