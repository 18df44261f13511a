#include "mappainter.h"

#include "arenagrid.h"

#include <algorithm>

namespace ostrel {

namespace {

int FloorDiv(int a, int b)
{
    return a / b - (a % b != 0 && (a < 0) != (b < 0));
}

int CeilDiv(int a, int b)
{
    return -FloorDiv(-a, b);
}

// Writes the pixels of the target straight through its bits: the map is
// made of filled rectangles and runs, and painting must cost no more than
// the pixels it sets.
class Canvas {
public:
    Canvas(QImage &target, const QRect &area, const QRect &clip)
        : bits_(target.bits()), stride_(target.bytesPerLine()), origin_(area.topLeft()), clip_(clip) {}

    const QRect &Clip() const { return clip_; }

    void Fill(const QRect &rect, QRgb colour)
    {
        const QRect r = rect & clip_;
        for (int y = r.top(); y <= r.bottom(); ++y)
            std::fill_n(Row(y) + (r.left() - origin_.x()), r.width(), colour);
    }
    void Run(int y, int left, int length, QRgb colour)
    {
        if (y < clip_.top() || y > clip_.bottom())
            return;
        const int from = std::max(left, clip_.left());
        const int to = std::min(left + length - 1, clip_.right());
        if (from <= to)
            std::fill_n(Row(y) + (from - origin_.x()), to - from + 1, colour);
    }

private:
    QRgb *Row(int y) { return reinterpret_cast<QRgb *>(bits_ + std::ptrdiff_t(y - origin_.y()) * stride_); }

    uchar *bits_;
    qsizetype stride_;
    QPoint origin_;
    QRect clip_;
};

constexpr int Pitch = ArenaGrid::CellPitch;
constexpr int Margin = ArenaGrid::Margin;

// The lines through 10 + 25j cover the pixel rows (or columns) 9 + 25j and
// 10 + 25j; horizontal ones run from x = 9 to 9 + 25 * Columns, vertical ones
// from y = 9 to 9 + 25 * Rows.
void PaintLines(const ArenaGrid &grid, Canvas &canvas)
{
    const QRect &clip = canvas.Clip();
    const int right = Margin + Pitch * grid.Columns() - 1;
    const int bottom = Margin + Pitch * grid.Rows() - 1;
    const int firstRow = std::max(0, CeilDiv(clip.top() - Margin, Pitch));
    const int lastRow = std::min(grid.Rows(), FloorDiv(clip.bottom() - Margin + 1, Pitch));
    for (int j = firstRow; j <= lastRow; ++j)
        canvas.Fill(QRect(QPoint(Margin - 1, Margin + Pitch * j - 1), QPoint(right, Margin + Pitch * j)), ArenaGrid::GridLineColor);
    const int firstColumn = std::max(0, CeilDiv(clip.left() - Margin, Pitch));
    const int lastColumn = std::min(grid.Columns(), FloorDiv(clip.right() - Margin + 1, Pitch));
    for (int i = firstColumn; i <= lastColumn; ++i)
        canvas.Fill(QRect(QPoint(Margin + Pitch * i - 1, Margin - 1), QPoint(Margin + Pitch * i, bottom)), ArenaGrid::GridLineColor);
}

// A cell's tile starts at its grid corner + 1: the interior, then the grid
// line pixels to its right and below.
void PaintCell(const ArenaGrid &grid, int column, int row, QPoint tile, Canvas &canvas)
{
    constexpr int Interior = LabelMasks::InteriorSide;
    const ArenaGrid::CellLook *look = grid.LookAt(column, row);
    if (!look)
        return;
    if (look->Fill != ArenaGrid::MapBackgroundColor)
        canvas.Fill(QRect(tile, QSize(Interior, Interior)), look->Fill);
    grid.ForEachInk(column, row, [&](const ArenaGrid::Ink &ink) {
        const LabelPiece &piece = grid.Mask(ink.Mask).Pieces[ink.Piece];
        if (!ink.LinesOnly) {
            for (const LabelRun &run : piece.Interior)
                canvas.Run(tile.y() + run.Row, tile.x() + run.Column, run.Length, ink.Colour);
        }
        for (const LabelRun &run : piece.Lines)
            canvas.Run(tile.y() + run.Row, tile.x() + run.Column, run.Length, ink.Colour);
    });
}

} // namespace

void PaintMap(const ArenaGrid &grid, QImage &target, const QRect &area)
{
    const QRect clip = area & QRect(QPoint(0, 0), grid.MapSize());
    if (clip.isEmpty())
        return;
    Canvas canvas(target, area, clip);
    canvas.Fill(clip, ArenaGrid::MapBackgroundColor);
    if (!grid.IsDrawn())
        return;
    PaintLines(grid, canvas);
    const int firstColumn = std::max(-1, FloorDiv(clip.left() - Margin - 1, Pitch));
    const int lastColumn = std::min(grid.Columns(), FloorDiv(clip.right() - Margin - 1, Pitch));
    const int firstRow = std::max(-1, FloorDiv(clip.top() - Margin - 1, Pitch));
    const int lastRow = std::min(grid.Rows(), FloorDiv(clip.bottom() - Margin - 1, Pitch));
    for (int row = firstRow; row <= lastRow; ++row) {
        for (int column = firstColumn; column <= lastColumn; ++column) {
            PaintCell(grid, column, row, QPoint(Margin + 1 + Pitch * column, Margin + 1 + Pitch * row), canvas);
        }
    }
}

QImage RenderMap(const ArenaGrid &grid)
{
    QImage image(grid.MapSize(), QImage::Format_RGB32);
    PaintMap(grid, image, image.rect());
    return image;
}

} // namespace ostrel
