#include "arenaoccupancy.h"

namespace ostrel {

ArenaOccupancy::ArenaOccupancy(int width, int height)
    : width_(width)
    , height_(height)
    , inPlay_(std::size_t(width) * std::size_t(height), 0)
    , fallen_(std::size_t(width) * std::size_t(height), false)
{
}

void ArenaOccupancy::Fall(int x, int y)
{
    Leave(x, y);
    fallen_[Index(x, y)] = true;
}

} // namespace ostrel
