#pragma once

#include <QWidget>

class ArenaGrid;

// Shows the map of the grid unscaled at its top-left corner, as large as the
// map so that the scroll box scrolls over it. Each paint event paints only
// the exposed part (the scroll box's viewport at most) from the grid's state,
// so nothing the size of the arena is kept and painting costs what shows.
class MapImage : public QWidget {
public:
    explicit MapImage(QWidget *parent = nullptr);

    // Shows the grid's map as it stands (null, or a grid not drawn yet:
    // nothing) and takes its size.
    void Present(const ArenaGrid *grid);
    const ArenaGrid *Grid() const { return grid_; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const ArenaGrid *grid_ = nullptr;
};
