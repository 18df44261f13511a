#pragma once

#include <cstdint>
#include <vector>

namespace ostrel {

// The whole tournament, positions 0 to Max, spread over the pixel columns of
// the overview strip: column c shows positions floor(c * P / W) and up, where
// P is the number of positions and W the number of columns. With fewer
// positions than columns a position spans several columns.
//
// A column's fight count is the number of fight steps among the positions it
// shows: the densest stretch of the column, never an average, so that a
// single fight step among thousands of moves still gives the column a
// nonzero count. Its alive range is the least and the most entrants in play
// over those positions, so that the line drawn through them misses no dip.
// Widget-free: built once per load and width from the tournament's index.
class TimelineColumns {
public:
    // alive and battleAt: per position, as TournamentIndex gives them (only
    // as many positions as both hold are shown); width: the pixel columns.
    void Build(const std::vector<int32_t> &alive, const std::vector<int16_t> &battleAt, int width);

    int Width() const { return width_; }
    int PositionCount() const { return positions_; }
    // The column where the position's line is drawn; -1 outside the range
    // or while nothing is built.
    int ColumnOf(int position) const;
    // The position a click on the column seeks to: the first one the column
    // shows, or, when the column shows none of its own, the one spanning it.
    // Columns outside the strip are clamped into it; 0 while nothing is built.
    int PositionAt(int column) const;

    const std::vector<int> &Fights() const { return fights_; }
    const std::vector<int32_t> &AliveLow() const { return aliveLow_; }
    const std::vector<int32_t> &AliveHigh() const { return aliveHigh_; }
    int MostFights() const { return mostFights_; }
    int32_t MostAlive() const { return mostAlive_; }

private:
    int width_ = 0;
    int positions_ = 0;
    std::vector<int> fights_;
    std::vector<int32_t> aliveLow_;
    std::vector<int32_t> aliveHigh_;
    int mostFights_ = 0;
    int32_t mostAlive_ = 0;
};

} // namespace ostrel
