#include "scaledmap.h"

#include "arenagrid.h"
#include "mappainter.h"

#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace ostrel {

QSize ScaledMapSize(QSize mapSize, double scale)
{
    return {std::max(1, int(std::lround(mapSize.width() * scale))), std::max(1, int(std::lround(mapSize.height() * scale)))};
}

// Drawn unsmoothed so that the labels and grid lines stay crisp.
void PaintMapMagnified(const ArenaGrid &grid, QPainter &painter, const QRect &exposed, double scale)
{
    const auto mapPixel = [scale](QPoint point) {
        return QPoint(int(std::floor(point.x() / scale)), int(std::floor(point.y() / scale)));
    };
    const QRect source =
        QRect(mapPixel(exposed.topLeft()), mapPixel(exposed.bottomRight())) & QRect(QPoint(0, 0), grid.MapSize());
    if (source.isEmpty())
        return;
    QImage part(source.size(), QImage::Format_RGB32);
    PaintMap(grid, part, source);
    const QRectF target(source.left() * scale, source.top() * scale, source.width() * scale, source.height() * scale);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(target, part);
}

// Averaging, unlike sampling, keeps the thin grid lines as a tint. The map
// is too large to paint whole at the scales that fit it (hundreds of
// megapixels), so for each target row only a few map rows between the grid
// lines are painted and averaged; the grid-line rows under it, which are the
// same everywhere, add their share exactly. Cost and memory follow the
// target's pixels, not the arena. Every pixel depends on its own coordinates
// alone, never on the area's edges.
void PaintMapReduced(const ArenaGrid &grid, QImage &target, const QRect &area, double scale)
{
    constexpr int SampledRows = 4;
    const QSize map = grid.MapSize();
    if (area.isEmpty() || map.isEmpty())
        return;
    const int firstColumn = std::clamp(int(area.left() / scale), 0, map.width() - 1);
    const int endColumn = std::clamp(int(std::ceil((area.right() + 1) / scale)), firstColumn + 1, map.width());
    // The map columns each target column averages.
    std::vector<std::pair<int, int>> spans(std::size_t(area.width()));
    for (int x = 0; x < area.width(); ++x) {
        const int from = std::clamp(int((area.left() + x) / scale), firstColumn, endColumn - 1);
        spans[std::size_t(x)] = {from, std::min(std::max(int((area.left() + x + 1) / scale), from + 1), endColumn)};
    }
    const auto averageRow = [&](const QImage &row, std::vector<std::array<double, 3>> &out, double weight) {
        const QRgb *pixels = reinterpret_cast<const QRgb *>(row.constBits());
        for (std::size_t x = 0; x < spans.size(); ++x) {
            std::array<uint32_t, 3> sum{};
            for (int column = spans[x].first; column < spans[x].second; ++column) {
                const QRgb pixel = pixels[column - firstColumn];
                sum[0] += uint32_t(qRed(pixel));
                sum[1] += uint32_t(qGreen(pixel));
                sum[2] += uint32_t(qBlue(pixel));
            }
            const double n = weight / (spans[x].second - spans[x].first);
            for (int c = 0; c < 3; ++c)
                out[x][std::size_t(c)] += sum[std::size_t(c)] * n;
        }
    };
    QImage row(endColumn - firstColumn, 1, QImage::Format_RGB32);
    // A grid-line row: every one looks the same.
    const auto isGridRow = [&](int r) {
        const int offset = r - (ArenaGrid::Margin - 1);
        return offset >= 0 && r <= ArenaGrid::Margin + ArenaGrid::CellPitch * grid.Rows()
            && offset % ArenaGrid::CellPitch <= 1;
    };
    std::vector<std::array<double, 3>> gridLine(spans.size());
    PaintMap(grid, row, QRect(firstColumn, ArenaGrid::Margin, row.width(), 1));
    averageRow(row, gridLine, 1.0);

    std::vector<std::array<double, 3>> sums(spans.size());
    std::vector<int> others;
    for (int y = 0; y < area.height(); ++y) {
        const int top = std::min(int((area.top() + y) / scale), map.height() - 1);
        const int end = std::clamp(int((area.top() + y + 1) / scale), top + 1, map.height());
        others.clear();
        for (int r = top; r < end; ++r) {
            if (!isGridRow(r))
                others.push_back(r);
        }
        const double rows = end - top;
        const double gridShare = (rows - double(others.size())) / rows;
        for (std::size_t x = 0; x < sums.size(); ++x)
            for (int c = 0; c < 3; ++c)
                sums[x][std::size_t(c)] = gridLine[x][std::size_t(c)] * gridShare;
        const int samples = std::min<int>(SampledRows, int(others.size()));
        for (int sample = 0; sample < samples; ++sample) {
            const int r = others[std::size_t(2 * sample + 1) * others.size() / std::size_t(2 * samples)];
            PaintMap(grid, row, QRect(firstColumn, r, row.width(), 1));
            averageRow(row, sums, (1 - gridShare) / samples);
        }
        QRgb *line = reinterpret_cast<QRgb *>(target.bits() + std::ptrdiff_t(y) * target.bytesPerLine());
        for (std::size_t x = 0; x < sums.size(); ++x)
            line[x] = qRgb(int(sums[x][0] + 0.5), int(sums[x][1] + 0.5), int(sums[x][2] + 0.5));
    }
}

} // namespace ostrel
