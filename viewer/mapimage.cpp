#include "mapimage.h"

#include "arenagrid.h"
#include "mappainter.h"

#include <QImage>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace ostrel {

MapImage::MapImage(QWidget *parent) : QWidget(parent) {}

void MapImage::Present(const ArenaGrid *grid)
{
    grid_ = grid && grid->IsDrawn() ? grid : nullptr;
    FollowMapSize();
    update();
}

void MapImage::SetScale(double scale)
{
    constexpr double Closest = 4.0;
    scale = scale > 0 && scale <= Closest ? scale : 1.0;
    if (scale == scale_)
        return;
    scale_ = scale;
    FollowMapSize();
    update();
}

void MapImage::FollowMapSize()
{
    const QSize map = grid_ ? grid_->MapSize() : QSize(0, 0);
    const QSize scaled(int(std::ceil(map.width() * scale_)), int(std::ceil(map.height() * scale_)));
    if (size() != scaled.expandedTo(minimumSize()))
        resize(scaled.expandedTo(minimumSize()));
}

void MapImage::SetFollowOverlay(FollowOverlay overlay)
{
    if (overlay == overlay_)
        return;
    update(FollowOverlayBounds(overlay_, scale_));
    overlay_ = std::move(overlay);
    update(FollowOverlayBounds(overlay_, scale_));
}

QPoint MapImage::MapPoint(QPoint widgetPoint) const
{
    return {int(std::floor(widgetPoint.x() / scale_)), int(std::floor(widgetPoint.y() / scale_))};
}

void MapImage::paintEvent(QPaintEvent *event)
{
    if (!grid_ || !grid_->IsDrawn())
        return;
    QPainter painter(this);
    if (scale_ < 1.0) {
        PaintScaled(painter, event->rect());
    } else if (scale_ > 1.0) {
        PaintMagnified(painter, event->rect());
    } else {
        const QRect area = event->rect() & QRect(QPoint(0, 0), grid_->MapSize());
        if (!area.isEmpty()) {
            QImage part(area.size(), QImage::Format_RGB32);
            PaintMap(*grid_, part, area);
            painter.drawImage(area.topLeft(), part);
        }
    }
    if (!overlay_.IsEmpty() && FollowOverlayBounds(overlay_, scale_).intersects(event->rect()))
        PaintFollowOverlay(painter, overlay_, scale_);
}

// Above 100 % each map pixel becomes a block, drawn unsmoothed so that the
// labels and grid lines stay crisp; only the map pixels under the exposed
// part are painted.
void MapImage::PaintMagnified(QPainter &painter, const QRect &exposed)
{
    const auto mapPixel = [this](QPoint point) {
        return QPoint(int(std::floor(point.x() / scale_)), int(std::floor(point.y() / scale_)));
    };
    const QRect source =
        QRect(mapPixel(exposed.topLeft()), mapPixel(exposed.bottomRight())) & QRect(QPoint(0, 0), grid_->MapSize());
    if (source.isEmpty())
        return;
    QImage part(source.size(), QImage::Format_RGB32);
    PaintMap(*grid_, part, source);
    const QRectF target(source.left() * scale_, source.top() * scale_, source.width() * scale_,
                        source.height() * scale_);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(target, part);
}

// Below 100 % each widget pixel shows the mean of the map pixels under it:
// averaging, unlike sampling, keeps the thin grid lines as a tint. The map
// is too large to paint whole at the scales that fit it (hundreds of
// megapixels), so for each widget row only a few map rows between the grid
// lines are painted and averaged; the grid-line rows under it, which are the
// same everywhere, add their share exactly. Cost and memory follow the
// widget's exposed pixels, not the arena.
void MapImage::PaintScaled(QPainter &painter, const QRect &exposed)
{
    constexpr int SampledRows = 4;
    const QSize map = grid_->MapSize();
    // The widget may be larger than the scaled map (it keeps a minimum size).
    const QRect target = exposed & QRect(0, 0, int(map.width() * scale_), int(map.height() * scale_));
    if (target.isEmpty())
        return;
    const int firstColumn = std::clamp(int(target.left() / scale_), 0, map.width() - 1);
    const int endColumn = std::clamp(int(std::ceil((target.right() + 1) / scale_)), firstColumn + 1, map.width());
    // The map columns each target column averages.
    std::vector<std::pair<int, int>> spans(std::size_t(target.width()));
    for (int x = 0; x < target.width(); ++x) {
        const int from = std::max(int((target.left() + x) / scale_), firstColumn);
        spans[std::size_t(x)] = {from, std::min(std::max(int((target.left() + x + 1) / scale_), from + 1), endColumn)};
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
    const ArenaGrid &grid = *grid_;
    const auto isGridRow = [&](int r) {
        const int offset = r - (ArenaGrid::Margin - 1);
        return offset >= 0 && r <= ArenaGrid::Margin + ArenaGrid::CellPitch * grid.Rows()
            && offset % ArenaGrid::CellPitch <= 1;
    };
    std::vector<std::array<double, 3>> gridLine(spans.size());
    PaintMap(grid, row, QRect(firstColumn, ArenaGrid::Margin, row.width(), 1));
    averageRow(row, gridLine, 1.0);

    QImage out(target.size(), QImage::Format_RGB32);
    std::vector<std::array<double, 3>> sums(spans.size());
    std::vector<int> others;
    for (int y = 0; y < target.height(); ++y) {
        const int top = std::min(int((target.top() + y) / scale_), map.height() - 1);
        const int end = std::clamp(int((target.top() + y + 1) / scale_), top + 1, map.height());
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
            const int r = others[std::size_t((2 * sample + 1) * others.size() / (2 * samples))];
            PaintMap(grid, row, QRect(firstColumn, r, row.width(), 1));
            averageRow(row, sums, (1 - gridShare) / samples);
        }
        QRgb *line = reinterpret_cast<QRgb *>(out.bits() + std::ptrdiff_t(y) * out.bytesPerLine());
        for (std::size_t x = 0; x < sums.size(); ++x)
            line[x] = qRgb(int(sums[x][0] + 0.5), int(sums[x][1] + 0.5), int(sums[x][2] + 0.5));
    }
    painter.drawImage(target.topLeft(), out);
}

} // namespace ostrel
