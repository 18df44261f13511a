#pragma once

#include <QSize>

namespace ostrel {

// The map's zoom: from the scale at which the whole arena fits the map pane
// up to 100 %, where the map shows pixel for pixel. Widget-free: the window
// gives it the scale that fits whenever it asks.
//
// The zoom is kept as a percentage, or as "fit" (0), which follows the pane
// as it is resized. A percentage below what fits shows as fitting.
class MapZoom {
public:
    static constexpr int Fit = 0;
    static constexpr int Full = 100;

    explicit MapZoom(int percent = Full) { SetPercent(percent); }

    // The scale at which a map of mapSize fits into pane; at most 1.
    static double FitScale(QSize mapSize, QSize pane);

    // The zoom as kept: Fit, or 1 to 100. Anything else reads as 100.
    int Percent() const { return percent_; }
    void SetPercent(int percent);

    // The scale shown when fit is the scale that fits.
    double Scale(double fit) const;
    // One step closer or farther, from the scale shown; false, changing
    // nothing, at 100 % or at the fitting scale.
    bool ZoomIn(double fit);
    bool ZoomOut(double fit);
    // Back to 100 %; false when already there.
    bool Reset();

private:
    int percent_ = Full;
};

} // namespace ostrel
