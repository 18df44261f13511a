#pragma once

#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace ostrel {

// The pixels that a label's glyphs cover, cut up by the map tile they fall
// in. A tile is the 25 x 25 square from a cell's grid corner + 1: the 23 x 23
// interior, then the two pixel columns and rows of the grid lines to its right
// and below. Most labels lie inside their own cell's interior, but a glyph
// may reach further (control characters draw as wide boxes, a tab jumps to
// the next tab stop), and those pixels belong to other tiles: to their
// interiors, which fills clear, or to the line pixels, which only labels
// ever paint over.
struct LabelRun {
    uint8_t Row;     // within the tile
    uint8_t Column;
    uint8_t Length;
};

struct LabelPiece {
    int Dc;  // the tile, relative to the label's own cell
    int Dr;
    std::vector<LabelRun> Interior;
    std::vector<LabelRun> Lines;  // pixels outside the interior
};

struct LabelMask {
    std::vector<LabelPiece> Pieces;
};

// Every label drawn so far, rendered once each with the label font: labels
// are at most two bytes, so few differ.
class LabelMasks {
public:
    static constexpr int TileSide = 25;
    static constexpr int InteriorSide = 23;

    // The id of the mask of label (at most two Shift-JIS bytes); the first
    // use renders it, which needs the application's font database.
    uint32_t IdOf(std::string_view label);
    const LabelMask &operator[](uint32_t id) const { return masks_[id]; }

private:
    std::unordered_map<uint32_t, uint32_t> ids_;
    std::vector<LabelMask> masks_;
};

} // namespace ostrel
