#include "labelmask.h"

#include "sjisdecoder.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <map>

namespace ostrel {

namespace {

// The label font: a character cell of 15 pixels, no smoothing.
const QFont &LabelFont()
{
    static const QFont font = [] {
        constexpr int CellHeight = 15;
        QFont f;
        f.setFamilies({QStringLiteral("ＭＳ ゴシック"), QStringLiteral("IPAGothic")});
        f.setStyleStrategy(QFont::NoAntialias);
        int pixels = CellHeight;
        do {
            f.setPixelSize(pixels);
        } while (QFontMetrics(f).height() > CellHeight && --pixels > 1);
        return f;
    }();
    return font;
}

// The label's top-left corner lies 3 right of and 4 below its cell's grid
// corner, which is 2 right of and 3 below the tile's origin.
constexpr int LabelLeftInTile = 2;
constexpr int LabelTopInTile = 3;

int FloorDiv(int a, int b)
{
    return a / b - (a % b != 0 && (a < 0) != (b < 0));
}

// The glyphs are drawn once, without smoothing, into a scratch image with
// room around them; every pixel they touch joins the run of its tile row. A
// cut through a double-byte character, or bytes that are no character, draw
// nothing.
LabelMask Render(std::string_view label)
{
    QString text = DecodeSjisForDisplay(label);
    text.remove(QChar::ReplacementCharacter);
    LabelMask mask;
    if (text.isEmpty())
        return mask;
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

    std::map<std::pair<int, int>, LabelPiece> pieces;
    const uchar *bits = scratch.constBits();
    for (int y = 0; y < scratch.height(); ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(bits + std::size_t(y) * std::size_t(scratch.bytesPerLine()));
        const int tileY = y - Room + LabelTopInTile;
        const int dr = FloorDiv(tileY, LabelMasks::TileSide);
        const int row = tileY - dr * LabelMasks::TileSide;
        for (int x = 0; x < scratch.width(); ++x) {
            if (qAlpha(line[x]) == 0)
                continue;
            const int tileX = x - Room + LabelLeftInTile;
            const int dc = FloorDiv(tileX, LabelMasks::TileSide);
            const int column = tileX - dc * LabelMasks::TileSide;
            LabelPiece &piece = pieces[{dr, dc}];
            piece.Dc = dc;
            piece.Dr = dr;
            const bool inside = column < LabelMasks::InteriorSide && row < LabelMasks::InteriorSide;
            std::vector<LabelRun> &runs = inside ? piece.Interior : piece.Lines;
            LabelRun *last = runs.empty() ? nullptr : &runs.back();
            if (last && last->Row == row && last->Column + last->Length == column)
                ++last->Length;
            else
                runs.push_back({uint8_t(row), uint8_t(column), 1});
        }
    }
    for (auto &entry : pieces)
        mask.Pieces.push_back(std::move(entry.second));
    return mask;
}

} // namespace

uint32_t LabelMasks::IdOf(std::string_view label)
{
    label = label.substr(0, 2);
    uint32_t key = uint32_t(label.size()) << 16;
    for (std::size_t i = 0; i < label.size(); ++i)
        key |= uint32_t(uint8_t(label[i])) << (8 * (1 - i));
    const auto known = ids_.find(key);
    if (known != ids_.end())
        return known->second;
    masks_.push_back(Render(label));
    return ids_.emplace(key, uint32_t(masks_.size() - 1)).first->second;
}

} // namespace ostrel
