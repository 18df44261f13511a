#pragma once

#include <vector>

namespace ostrel {

// Who stands where during a simulated tournament: at most one entrant in play
// per cell, plus the cells where entrants went out. Cells are addressed by
// column x and row y from 0; only cells for which Contains holds may be
// passed to the other operations.
class ArenaOccupancy {
public:
    ArenaOccupancy(int width, int height);

    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
    // The entrant in play in the cell, or -1.
    int InPlayAt(int x, int y) const { return inPlay_[Index(x, y)] - 1; }
    bool HasFallen(int x, int y) const { return fallen_[Index(x, y)]; }

    void Enter(int entrant, int x, int y) { inPlay_[Index(x, y)] = entrant + 1; }
    void Leave(int x, int y) { inPlay_[Index(x, y)] = 0; }
    // The entrant in play in the cell goes out and stays lying there.
    void Fall(int x, int y);

private:
    std::size_t Index(int x, int y) const { return std::size_t(y) * std::size_t(width_) + std::size_t(x); }

    int width_;
    int height_;
    std::vector<int> inPlay_;    // entrant index + 1, 0 when empty
    std::vector<bool> fallen_;
};

} // namespace ostrel
