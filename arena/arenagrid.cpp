#include "arenagrid.h"

#include "sjisdecoder.h"

#include <QFontMetrics>
#include <QPainter>

namespace {

// The label font: a character cell of LabelFontHeight pixels, no smoothing.
const QFont &LabelFont()
{
    static const QFont font = [] {
        QFont f;
        f.setFamilies({QStringLiteral("ＭＳ ゴシック"), QStringLiteral("IPAGothic")});
        f.setStyleStrategy(QFont::NoAntialias);
        int pixels = ArenaGrid::LabelFontHeight;
        do {
            f.setPixelSize(pixels);
        } while (QFontMetrics(f).height() > ArenaGrid::LabelFontHeight && --pixels > 1);
        return f;
    }();
    return font;
}

// The label is the emblem cut after its first two bytes.
std::string_view LabelBytes(const Entrant &entrant)
{
    return entrant.Emblem.View().substr(0, 2);
}

// Fills the 23 x 23 interior of the cell at grid corner (x, y), clipped to the
// bitmap. Cells change on every step, so this writes the pixels directly.
void FillInterior(QImage &canvas, int x, int y, QRgb colour)
{
    const QRect interior = QRect(x + 1, y + 1, 23, 23) & canvas.rect();
    for (int row = interior.top(); row <= interior.bottom(); ++row) {
        QRgb *line = reinterpret_cast<QRgb *>(canvas.scanLine(row));
        std::fill(line + interior.left(), line + interior.right() + 1, colour);
    }
}

} // namespace

void ArenaGrid::Build(const ScriptHeader &header, const std::vector<Entrant> &entrants)
{
    entrantCount_ = std::max(0, std::min<int>(header.EntrantCount, int(entrants.size())));
    entrants_ = &entrants;
    columns_ = std::max(0, header.Xsize);
    rows_ = std::max(0, header.Ysize);
    cells_.assign(std::size_t(columns_) * std::size_t(rows_), 0);
    built_ = true;
    for (int i = 0; i < entrantCount_; ++i)
        SetCell(entrants[std::size_t(i)].X, entrants[std::size_t(i)].Y, i + 1);
}

void ArenaGrid::ReleaseEntrants()
{
    entrants_ = nullptr;
    entrantCount_ = 0;
    canvas_ = nullptr;
}

void ArenaGrid::DrawAll(QImage *canvas)
{
    if (!built_ || !canvas)
        return;
    canvas_ = canvas;
    QPainter painter(canvas);
    const int right = Margin + CellPitch * columns_;
    const int bottom = Margin + CellPitch * rows_;
    for (int j = 0; j <= rows_; ++j)
        painter.fillRect(QRect(QPoint(Margin - 1, Margin + CellPitch * j - 1), QPoint(right - 1, Margin + CellPitch * j)), QColor(GridLineColor));
    for (int i = 0; i <= columns_; ++i)
        painter.fillRect(QRect(QPoint(Margin + CellPitch * i - 1, Margin - 1), QPoint(Margin + CellPitch * i, bottom - 1)), QColor(GridLineColor));
    painter.end();
    for (int i = 0; i < entrantCount_; ++i)
        DrawLabel(*canvas, (*entrants_)[std::size_t(i)], InitialLabelColor);
}

void ArenaGrid::RedrawCell(int x, int y, int index)
{
    if (!built_ || !canvas_)
        return;
    if (index == -1) {
        FillInterior(*canvas_, x, y, MapBackgroundColor);
        return;
    }
    if (const Entrant *entrant = EntrantAt(index))
        DrawLabel(*canvas_, *entrant, LabelColor(*entrant));
}

void ArenaGrid::HighlightCell(int x, int y, int index)
{
    if (!built_ || !canvas_)
        return;
    FillInterior(*canvas_, x, y, HighlightColor);
    if (const Entrant *entrant = EntrantAt(index))
        DrawLabel(*canvas_, *entrant, LabelColor(*entrant));
}

QRgb ArenaGrid::LabelColor(const Entrant &entrant)
{
    if (entrant.Status >= 0)
        return (entrant.Status & 0x18) != 0 ? 0xFFFF0000 : 0xFF0000FF;  // red : blue
    if (entrant.HitPointRate <= 50)
        return 0xFFFF00FF;  // fuchsia
    if (entrant.HitPointRate <= 70)
        return 0xFF00FF00;  // lime
    if (entrant.HitPointRate <= 85)
        return 0xFF00FFFF;  // aqua
    if (entrant.HitPointRate <= 95)
        return 0xFFFFFF00;  // yellow
    return 0xFFFFFFFF;      // white
}

int32_t ArenaGrid::CellAt(int column, int row) const
{
    return built_ && Inside(column, row) ? cells_[std::size_t(row) * std::size_t(columns_) + std::size_t(column)] : 0;
}

void ArenaGrid::SetCell(int column, int row, int32_t occupant)
{
    if (built_ && Inside(column, row))
        cells_[std::size_t(row) * std::size_t(columns_) + std::size_t(column)] = occupant;
}

const Entrant *ArenaGrid::EntrantAt(int index) const
{
    return entrants_ && index >= 0 && index < entrantCount_ ? &(*entrants_)[std::size_t(index)] : nullptr;
}

// The glyphs are drawn once with the label font, without smoothing, into a
// scratch image with room around them; the pixels they cover are the mask. A
// cut through a double-byte character, or bytes that are no character, draw
// nothing.
const ArenaGrid::LabelMask &ArenaGrid::MaskOf(const Entrant &entrant)
{
    const std::string bytes(LabelBytes(entrant));
    const auto known = labelMasks_.find(bytes);
    if (known != labelMasks_.end())
        return known->second;
    QString text = DecodeSjisForDisplay(bytes);
    text.remove(QChar::ReplacementCharacter);
    LabelMask mask;
    if (!text.isEmpty()) {
        constexpr int Room = 8;
        const QFontMetrics metrics(LabelFont());
        QImage scratch(metrics.horizontalAdvance(text) + 2 * Room, metrics.height() + 2 * Room,
                       QImage::Format_ARGB32_Premultiplied);
        scratch.fill(Qt::transparent);
        QPainter painter(&scratch);
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        painter.setFont(LabelFont());
        painter.setPen(Qt::white);
        painter.drawText(QPoint(Room, Room + metrics.ascent()), text);
        painter.end();
        for (int y = 0; y < scratch.height(); ++y) {
            const QRgb *line = reinterpret_cast<const QRgb *>(scratch.constScanLine(y));
            for (int x = 0; x < scratch.width(); ++x) {
                if (qAlpha(line[x]) != 0)
                    mask.emplace_back(x - Room, y - Room);
            }
        }
    }
    return labelMasks_.emplace(bytes, std::move(mask)).first->second;
}

void ArenaGrid::DrawLabel(QImage &canvas, const Entrant &entrant, QRgb colour)
{
    const QPoint topLeft = CellCorner(entrant.X, entrant.Y) + QPoint(3, 4);
    const QRect bounds = canvas.rect();
    for (const QPoint &offset : MaskOf(entrant)) {
        const QPoint pixel = topLeft + offset;
        if (bounds.contains(pixel))
            reinterpret_cast<QRgb *>(canvas.scanLine(pixel.y()))[pixel.x()] = colour;
    }
}

std::unique_ptr<QImage> NewMapBitmap(ArenaGrid &grid)
{
    auto bitmap = std::make_unique<QImage>(grid.MapSize(), QImage::Format_RGB32);
    bitmap->fill(QColor(ArenaGrid::MapBackgroundColor));
    grid.DrawAll(bitmap.get());
    return bitmap;
}
