#pragma once

// Reading the map bitmap back in the terms of its geometry: cells of 25
// pixels behind a margin of 10, each with a 23 x 23 interior.

#include <QImage>
#include <QPoint>
#include <QRect>

#include <set>

namespace ostrel {

// The map's colours, by the names the viewer gives them.
namespace MapColour {
inline constexpr QRgb Background = 0xFF0000A0;  // RGB 0, 0, 160
inline constexpr QRgb GridLine = 0xFF808080;
inline constexpr QRgb Teal = 0xFF008080;
inline constexpr QRgb White = 0xFFFFFFFF;
inline constexpr QRgb Red = 0xFFFF0000;
inline constexpr QRgb Blue = 0xFF0000FF;
inline constexpr QRgb Fuchsia = 0xFFFF00FF;
inline constexpr QRgb Lime = 0xFF00FF00;
inline constexpr QRgb Aqua = 0xFF00FFFF;
inline constexpr QRgb Yellow = 0xFFFFFF00;
} // namespace MapColour

inline QPoint GridCorner(int column, int row)
{
    return {10 + 25 * column, 10 + 25 * row};
}

inline QRect CellInterior(int column, int row)
{
    return {GridCorner(column, row) + QPoint(1, 1), QSize(23, 23)};
}

inline std::set<QRgb> ColoursIn(const QImage &image, const QRect &area)
{
    std::set<QRgb> colours;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            colours.insert(image.pixel(x, y));
    return colours;
}

inline int CountPixels(const QImage &image, const QRect &area, QRgb colour)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += image.pixel(x, y) == colour;
    return count;
}

inline std::set<QRgb> CellColours(const QImage &image, int column, int row)
{
    return ColoursIn(image, CellInterior(column, row));
}

// The smallest rectangle that holds every pixel in which two images of one
// size differ; empty when they are equal.
inline QRect DifferenceBounds(const QImage &before, const QImage &after)
{
    QRect bounds;
    for (int y = 0; y < before.height(); ++y)
        for (int x = 0; x < before.width(); ++x)
            if (before.pixel(x, y) != after.pixel(x, y))
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

} // namespace ostrel
