#pragma once

#include "replaymodel.h"

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QSize>

#include <algorithm>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

// The occupancy grid of the arena and the drawing of the map onto a bitmap,
// whole or cell by cell.
//
// Geometry: cells of 25 pixels with a margin of 10, so the grid corner of
// column c and row r is (10 + 25c, 10 + 25r) and the bitmap is 25 * Columns
// + 20 by 25 * Rows + 20 pixels. A grid line through coordinate c covers the
// pixel rows (or columns) c - 1 and c; a cell's interior is the 23 x 23
// square from corner + 1 to corner + 23. Nothing is antialiased.
//
// Until the first Build the grid has no cells and every drawing operation
// does nothing. Cells outside the arena are never read or written: an
// entrant whose cell lies outside is still drawn where its coordinates say
// (the bitmap clips it) but leaves no mark in the grid.
class ArenaGrid {
public:
    static constexpr int CellPitch = 25;
    static constexpr int Margin = 10;
    static constexpr int LabelFontHeight = 15;
    static constexpr QRgb MapBackgroundColor = 0xFF0000A0;  // dark blue
    static constexpr QRgb GridLineColor = 0xFF808080;       // gray
    static constexpr QRgb InitialLabelColor = 0xFFFFFFFF;   // white
    static constexpr QRgb HighlightColor = 0xFF008080;      // teal

    // Rebuilds the grid for a newly loaded tournament; the grid keeps a
    // reference to the entrant table, which must outlive it or be released.
    void Build(const ScriptHeader &header, const std::vector<Entrant> &entrants);
    // Forgets the entrant table and the canvas (the model is being replaced).
    void ReleaseEntrants();

    // Records the canvas and draws the grid lines and every label in white.
    void DrawAll(QImage *canvas);
    // index -1 clears the interior of the cell at grid corner (x, y);
    // otherwise draws the label of entrant index in its LabelColor.
    void RedrawCell(int x, int y, int index);
    // Fills the interior with HighlightColor and draws the entrant's label.
    void HighlightCell(int x, int y, int index);

    // The label colour of an entrant from its Status and HitPointRate.
    static QRgb LabelColor(const Entrant &entrant);
    // The grid corner of the cell at column x, row y. Coordinates far outside
    // any bitmap are pulled in to a point that is still outside, so that no
    // arithmetic on them overflows.
    static QPoint CellCorner(int x, int y) { return {MapCoordinate(x), MapCoordinate(y)}; }

    bool HasCells() const { return built_; }
    int Columns() const { return columns_; }
    int Rows() const { return rows_; }
    // The size of the map bitmap for this grid.
    QSize MapSize() const { return {CellPitch * columns_ + 2 * Margin, CellPitch * rows_ + 2 * Margin}; }

    // The occupant of a cell: 0 empty, i + 1 entrant i; 0 outside the arena.
    int32_t CellAt(int column, int row) const;
    // Sets a cell's occupant; a cell outside the arena is left alone.
    void SetCell(int column, int row, int32_t occupant);

private:
    // The pixels a label's glyphs cover, relative to its top-left corner.
    using LabelMask = std::vector<QPoint>;

    static int MapCoordinate(int cell)
    {
        const int64_t c = Margin + int64_t(CellPitch) * cell;
        return int(std::clamp<int64_t>(c, -(1 << 20), 1 << 20));
    }
    bool Inside(int column, int row) const { return column >= 0 && row >= 0 && column < columns_ && row < rows_; }
    void DrawLabel(QImage &canvas, const Entrant &entrant, QRgb colour);
    const LabelMask &MaskOf(const Entrant &entrant);
    const Entrant *EntrantAt(int index) const;

    QImage *canvas_ = nullptr;
    bool built_ = false;
    std::vector<int32_t> cells_;
    int columns_ = 0;
    int rows_ = 0;
    const std::vector<Entrant> *entrants_ = nullptr;
    int entrantCount_ = 0;
    // Labels are two bytes, so few differ: each is rendered once.
    std::unordered_map<std::string, LabelMask> labelMasks_;
};

// A new map bitmap for the grid, filled with the background colour and drawn
// in full; the grid draws its later cell changes into it.
std::unique_ptr<QImage> NewMapBitmap(ArenaGrid &grid);
