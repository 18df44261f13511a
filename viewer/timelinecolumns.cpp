#include "timelinecolumns.h"

#include <algorithm>

namespace ostrel {

void TimelineColumns::Build(const std::vector<int32_t> &alive, const std::vector<int16_t> &battleAt, int width)
{
    positions_ = int(std::min(alive.size(), battleAt.size()));
    width_ = positions_ > 0 ? std::max(width, 0) : 0;
    fights_.assign(std::size_t(width_), 0);
    aliveLow_.assign(std::size_t(width_), 0);
    aliveHigh_.assign(std::size_t(width_), 0);
    mostFights_ = 0;
    mostAlive_ = 0;
    if (width_ == 0)
        return;
    std::vector<bool> touched(std::size_t(width_), false);
    for (int p = 0; p < positions_; ++p) {
        const int first = ColumnOf(p);
        const int end = p + 1 < positions_ ? std::max(first + 1, ColumnOf(p + 1)) : width_;
        const int32_t inPlay = alive[std::size_t(p)];
        const bool fight = battleAt[std::size_t(p)] != 0;
        for (int c = first; c < end; ++c) {
            const auto column = std::size_t(c);
            fights_[column] += fight ? 1 : 0;
            aliveLow_[column] = touched[column] ? std::min(aliveLow_[column], inPlay) : inPlay;
            aliveHigh_[column] = touched[column] ? std::max(aliveHigh_[column], inPlay) : inPlay;
            touched[column] = true;
        }
        mostAlive_ = std::max(mostAlive_, inPlay);
    }
    mostFights_ = *std::max_element(fights_.begin(), fights_.end());
}

int TimelineColumns::ColumnOf(int position) const
{
    if (position < 0 || position >= positions_ || width_ == 0)
        return -1;
    return int(int64_t(position) * width_ / positions_);
}

int TimelineColumns::PositionAt(int column) const
{
    if (width_ == 0)
        return 0;
    const int64_t c = std::clamp(column, 0, width_ - 1);
    // The first position p with floor(p * W / P) >= c.
    const int first = int((c * positions_ + width_ - 1) / width_);
    return first < positions_ && ColumnOf(first) == c ? first : first - 1;
}

} // namespace ostrel
