#pragma once

#include <cstdint>

namespace ostrel {

// The map as the step engine needs it: the occupancy of the arena's cells and
// what a step leaves drawn in them. The engine describes each change of a
// step through these calls and draws nothing itself; the arena grid
// implements them, and anything else that wants to follow the changes
// (an overlay, an exporter, a test) can stand in its place.
//
// A cell is (column, row); an occupant is 0 for an empty cell and i + 1 for
// entrant i. Cells outside the arena may be named: they must be ignored.
class ArenaControl {
public:
    virtual ~ArenaControl() = default;

    // The cell's occupant is now occupant.
    virtual void SetCell(int column, int row, int32_t occupant) = 0;
    // index -1: the cell's interior was cleared. Otherwise the label of
    // entrant index was drawn, in the colour its rate and status give, in
    // the entrant's own cell.
    virtual void RedrawCell(int column, int row, int index) = 0;
    // The cell's interior was filled with the highlight of the fight being
    // shown and entrant index's label drawn over it.
    virtual void HighlightCell(int column, int row, int index) = 0;
    // The cell will be changed soon: a hint that lets a large map fetch
    // ahead what the change will touch.
    virtual void Prefetch(int column, int row) const = 0;

protected:
    ArenaControl() = default;
    ArenaControl(const ArenaControl &) = default;
    ArenaControl &operator=(const ArenaControl &) = default;
};

} // namespace ostrel
