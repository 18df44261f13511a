#pragma once

#include <QSize>

namespace ostrel {

// The map's zoom: from the scale at which the whole arena fits the map pane
// through 100 %, where the map shows pixel for pixel, up to 400 %, where each
// map pixel is a block of 4 x 4 (for high-density screens). Widget-free: the
// window gives it the scale that fits whenever it asks.
//
// The zoom is kept as a percentage, or as "fit" (0), which follows the pane
// as it is resized. A percentage below what fits shows as fitting.
class MapZoom {
public:
    static constexpr int Fit = 0;
    static constexpr int Full = 100;
    static constexpr int Closest = 400;

    explicit MapZoom(int percent = Full) { SetPercent(percent); }

    // The scale at which a map of mapSize fits into pane; at most 1.
    static double FitScale(QSize mapSize, QSize pane);

    // The zoom as kept: Fit, 1 to 100, or one of the steps above 100 (the
    // only percentages there that the zoom ever reaches). Anything else
    // reads as 100.
    int Percent() const { return percent_; }
    void SetPercent(int percent);

    // The scale shown when fit is the scale that fits.
    double Scale(double fit) const;
    // One step closer or farther, from the scale shown; false, changing
    // nothing, at the closest step or at the fitting scale.
    bool ZoomIn(double fit);
    bool ZoomOut(double fit);
    // Back to 100 %; false when already there.
    bool Reset();

private:
    int percent_ = Full;
};

} // namespace ostrel
