#include "followoverlay.h"

#include "arenagrid.h"
#include "tournamentindex.h"

#include <QPainter>
#include <QPainterPath>
#include <QRect>

#include <algorithm>
#include <cmath>

namespace ostrel {

namespace {

const QColor MarkerColour(255, 140, 0);
const QColor OutMarkerColour(190, 190, 190);
const QColor TrailColour(255, 230, 0);
constexpr double SmallestMarkerHalf = 7.0;
constexpr double MarkerPen = 3.0;

QPointF CellCentre(QPoint cell, double scale)
{
    constexpr double half = ArenaGrid::CellPitch / 2.0;
    return {(ArenaGrid::Margin + ArenaGrid::CellPitch * cell.x() + half) * scale,
            (ArenaGrid::Margin + ArenaGrid::CellPitch * cell.y() + half) * scale};
}

double MarkerHalf(double scale)
{
    return std::max((ArenaGrid::CellPitch / 2.0 + 1) * scale, SmallestMarkerHalf);
}

} // namespace

FollowOverlay FollowOverlayAt(const EntrantHistory &history, int position, bool wholePath)
{
    FollowOverlay overlay;
    overlay.WholePath = wholePath;
    if (history.Entrant < 0 || history.Cells.empty())
        return overlay;
    const auto after = [](int p, const auto &change) { return p < change.Position; };
    // The change in effect at a position: the last one at or before it.
    const auto inEffect = [&](const auto &list, int p) {
        return std::max(std::upper_bound(list.begin(), list.end(), p, after), list.begin() + 1) - 1;
    };
    const auto last = inEffect(history.Cells, position);
    const auto first = wholePath ? history.Cells.begin() : inEffect(history.Cells, position - ShortTrailPositions);
    for (auto cell = first; cell <= last; ++cell)
        overlay.Trail.emplace_back(cell->X, cell->Y);
    if (!history.Statuses.empty())
        overlay.InPlay = inEffect(history.Statuses, position)->Value < 0;
    return overlay;
}

void PaintFollowOverlay(QPainter &painter, const FollowOverlay &overlay, double scale)
{
    if (overlay.IsEmpty())
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    const double width = std::max(2.0, 5.0 * scale);
    const std::size_t count = overlay.Trail.size();
    // A short trail fades towards its oldest cell; a whole path is drawn
    // evenly, lighter, since it may cover much of the arena.
    for (std::size_t i = 1; i < count; ++i) {
        QColor colour = TrailColour;
        colour.setAlphaF(overlay.WholePath ? 0.6 : 0.3 + 0.6 * double(i) / double(count - 1));
        painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(CellCentre(overlay.Trail[i - 1], scale), CellCentre(overlay.Trail[i], scale));
    }
    const QPointF centre = CellCentre(overlay.Trail.back(), scale);
    const double half = MarkerHalf(scale);
    const QRectF marker(centre.x() - half, centre.y() - half, 2 * half, 2 * half);
    // A dark edge keeps the marker visible on the teal of a fight.
    painter.setPen(QPen(Qt::black, MarkerPen + 2));
    painter.drawRect(marker);
    painter.setPen(QPen(overlay.InPlay ? MarkerColour : OutMarkerColour, MarkerPen));
    painter.drawRect(marker);
    painter.restore();
}

QRect FollowOverlayBounds(const FollowOverlay &overlay, double scale)
{
    QRectF bounds;
    const double reach = MarkerHalf(scale) + MarkerPen + 2;
    for (QPoint cell : overlay.Trail) {
        const QPointF centre = CellCentre(cell, scale);
        bounds |= QRectF(centre.x() - reach, centre.y() - reach, 2 * reach, 2 * reach);
    }
    return bounds.toAlignedRect();
}

} // namespace ostrel
