#pragma once

#include "arenacontrol.h"
#include "labelmask.h"
#include "replaymodel.h"

#include <QColor>
#include <QImage>
#include <QRect>
#include <QSize>

#include <memory>
#include <unordered_map>
#include <vector>

namespace ostrel {

// The occupancy grid of the arena and the look of the map, kept as state that
// is drawn only when asked for.
//
// Geometry: cells of 25 pixels with a margin of 10, so the grid corner of
// column c and row r is (10 + 25c, 10 + 25r) and the map is 25 * Columns + 20
// by 25 * Rows + 20 pixels. A grid line through coordinate c covers the pixel
// rows (or columns) c - 1 and c; a cell's interior is the 23 x 23 square from
// corner + 1 to corner + 23. Nothing is antialiased.
//
// The drawing operations (DrawAll, RedrawCell, HighlightCell) do not paint:
// each records what it leaves in the cells it touches. A cell's look is the
// colour of its last interior fill with the labels drawn over it since, in
// order; a label drawn again replaces its earlier self, since it covers the
// same pixels. Labels whose glyphs reach beyond their cell are recorded in
// every cell, and over the grid lines, they reach (see LabelMasks). The cells
// one step outside the arena show in the margin and are kept as well;
// farther ones cannot show and are not. PaintMap and RenderMap turn the
// state into pixels.
//
// Until the first Build the grid has no cells and every drawing operation
// does nothing. Cells outside the arena are never read or written: an
// entrant whose cell lies outside is still drawn where its coordinates say
// (the map clips it) but leaves no mark in the grid.
class ArenaGrid final : public ArenaControl {
public:
    static constexpr int CellPitch = 25;
    static constexpr int Margin = 10;
    static constexpr QRgb MapBackgroundColor = 0xFF0000A0;  // dark blue
    static constexpr QRgb GridLineColor = 0xFF808080;       // gray
    static constexpr QRgb InitialLabelColor = 0xFFFFFFFF;   // white
    static constexpr QRgb HighlightColor = 0xFF008080;      // teal

    // A label painted over a cell: which piece of which mask, in what colour.
    // After a fill only its pixels over the grid lines still show.
    struct Ink {
        uint32_t Mask;
        QRgb Colour;
        uint16_t Piece;
        bool LinesOnly;  // filled over since
        bool HasLines;   // the piece has pixels over the grid lines
        bool SamePixels(const Ink &other) const { return Mask == other.Mask && Piece == other.Piece; }
    };
    // A seek touches cells all over the arena, so a cell's look is small and
    // holds its one label in place; the rare further ones (entrants sharing
    // a cell, labels reaching into it) wait in a side table.
    struct CellLook {
        QRgb Fill = MapBackgroundColor;
        uint8_t InkCount = 0;  // 0, 1, or 2 for First and more in the side table
        Ink First{};
    };

    // Rebuilds the grid for a newly loaded tournament; the grid keeps a
    // reference to the entrant table, which must outlive it or be released.
    // The map stays blank until DrawAll.
    void Build(const ScriptHeader &header, const std::vector<Entrant> &entrants);
    // Forgets the entrant table (the model is being replaced).
    void ReleaseEntrants();
    // Reads another entrant table from now on: a copy of the grid follows
    // a copy of the entrants it was drawn from, taken at the same time.
    void UseEntrants(const std::vector<Entrant> &entrants) { entrants_ = &entrants; }

    // While on, the drawing operations note the tiles whose look they
    // change (a cell's interior with the line pixels to its right and
    // below), so that a picture kept of the map can be brought up to date
    // by repainting only those. TakeChangedTiles hands them over, each
    // (column, row) once or more, and starts a new list.
    void TrackChanges(bool on);
    std::vector<QPoint> TakeChangedTiles();

    // Draws the grid lines and every label in white on a blank map.
    void DrawAll();
    // index -1 clears the interior of the cell at (column, row); otherwise
    // draws the label of entrant index, in its LabelColor, in the entrant's
    // own cell.
    void RedrawCell(int column, int row, int index) override;
    // Fills the interior with HighlightColor and draws the entrant's label.
    void HighlightCell(int column, int row, int index) override;

    // The label colour of an entrant from its Status and HitPointRate.
    static QRgb LabelColor(const Entrant &entrant);

    bool HasCells() const { return built_; }
    bool IsDrawn() const { return drawn_; }
    int Columns() const { return columns_; }
    int Rows() const { return rows_; }
    // The size of the map image for this grid.
    QSize MapSize() const { return {CellPitch * columns_ + 2 * Margin, CellPitch * rows_ + 2 * Margin}; }

    // The occupant of a cell: 0 empty, i + 1 entrant i; 0 outside the arena.
    int32_t CellAt(int column, int row) const;
    // Sets a cell's occupant; a cell outside the arena is left alone.
    void SetCell(int column, int row, int32_t occupant) override;
    // Asks the processor to fetch what an operation on the cell will touch:
    // seeks visit cells all over a large arena, and fetching several ahead
    // overlaps their memory latencies.
    void Prefetch(int column, int row) const override;

    // The look of a cell from column and row -1 to Columns and Rows; null
    // for cells farther out.
    const CellLook *LookAt(int64_t column, int64_t row) const;
    // Calls visit(ink) for each label over the cell, in drawing order.
    template <typename Visit>
    void ForEachInk(int64_t column, int64_t row, Visit visit) const
    {
        const CellLook *look = LookAt(column, row);
        if (!look || look->InkCount == 0)
            return;
        visit(look->First);
        if (look->InkCount > 1) {
            for (const Ink &ink : moreInks_.at(IndexOf(column, row)))
                visit(ink);
        }
    }
    const LabelMask &Mask(uint32_t id) const { return masks_[id]; }

private:
    bool Inside(int column, int row) const { return column >= 0 && row >= 0 && column < columns_ && row < rows_; }
    // The index of a kept cell's look; SIZE_MAX for cells farther out.
    std::size_t IndexOf(int64_t column, int64_t row) const;
    std::vector<Ink> TakeInks(std::size_t index);
    void PutInks(std::size_t index, const std::vector<Ink> &inks);
    void Fill(int column, int row, QRgb colour);
    void DrawLabel(int index, QRgb colour);
    const Entrant *EntrantAt(int index) const;

    void NoteChange(std::size_t index);

    bool built_ = false;
    bool drawn_ = false;
    bool tracking_ = false;
    std::vector<std::size_t> changed_;     // indices of looks_
    std::vector<int32_t> cells_;
    int columns_ = 0;
    int rows_ = 0;
    const std::vector<Entrant> *entrants_ = nullptr;
    int entrantCount_ = 0;
    std::vector<CellLook> looks_;          // (Columns + 2) x (Rows + 2), row by row from (-1, -1)
    std::unordered_map<std::size_t, std::vector<Ink>> moreInks_;  // the inks after First
    std::vector<uint32_t> entrantMasks_;   // each entrant's mask id once drawn
    LabelMasks masks_;
};

} // namespace ostrel
