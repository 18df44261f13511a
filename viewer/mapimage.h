#pragma once

#include "followoverlay.h"

#include <QWidget>

class QPainter;

namespace ostrel {

class ArenaGrid;

// Shows the map of the grid at its top-left corner, at a scale (1: pixel for
// pixel), as large as the scaled map so that the scroll box scrolls over it.
// Each paint event paints only the exposed part (the scroll box's viewport
// at most) from the grid's state, so nothing the size of the arena is kept
// and painting costs what shows.
class MapImage : public QWidget {
public:
    explicit MapImage(QWidget *parent = nullptr);

    // Shows the grid's map as it stands (null, or a grid not drawn yet:
    // nothing) and takes its size.
    void Present(const ArenaGrid *grid);
    const ArenaGrid *Grid() const { return grid_; }

    // Scales of 0 or less, or above 4, read as 1.
    void SetScale(double scale);
    double Scale() const { return scale_; }
    // The map pixel under a point of the widget.
    QPoint MapPoint(QPoint widgetPoint) const;

    // Drawn over the map, never into it: what the grid paints stays as it is.
    void SetFollowOverlay(FollowOverlay overlay);
    const FollowOverlay &ShownFollowOverlay() const { return overlay_; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void FollowMapSize();
    void PaintScaled(QPainter &painter, const QRect &exposed);
    void PaintMagnified(QPainter &painter, const QRect &exposed);

    const ArenaGrid *grid_ = nullptr;
    double scale_ = 1.0;
    FollowOverlay overlay_;
};

} // namespace ostrel
