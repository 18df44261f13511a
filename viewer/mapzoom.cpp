#include "mapzoom.h"

#include <algorithm>
#include <array>

namespace ostrel {

namespace {

// The steps of the zoom in percent, as image viewers commonly offer them.
constexpr std::array<int, 20> Steps{1,  2,  3,  5,  8,   10,  15,  20,  25,  33,
                                    50, 67, 75, 90, 100, 125, 150, 200, 300, MapZoom::Closest};
// Scales closer than this are the same scale.
constexpr double Slack = 1e-6;

} // namespace

double MapZoom::FitScale(QSize mapSize, QSize pane)
{
    if (mapSize.isEmpty() || pane.isEmpty())
        return 1.0;
    return std::min({1.0, double(pane.width()) / mapSize.width(), double(pane.height()) / mapSize.height()});
}

void MapZoom::SetPercent(int percent)
{
    const bool magnifyingStep = percent > Full && std::find(Steps.begin(), Steps.end(), percent) != Steps.end();
    percent_ = (percent >= Fit && percent <= Full) || magnifyingStep ? percent : Full;
}

double MapZoom::Scale(double fit) const
{
    const double floor = std::min(fit, 1.0);
    return percent_ == Fit ? floor : std::max(percent_ / 100.0, floor);
}

bool MapZoom::ZoomIn(double fit)
{
    const double shown = Scale(fit);
    const auto next = std::find_if(Steps.begin(), Steps.end(), [&](int step) { return step / 100.0 > shown + Slack; });
    if (next == Steps.end())
        return false;
    percent_ = *next;
    return true;
}

bool MapZoom::ZoomOut(double fit)
{
    const double shown = Scale(fit);
    const double floor = std::min(fit, 1.0);
    if (shown <= floor + Slack)
        return false;
    const auto next = std::find_if(Steps.rbegin(), Steps.rend(), [&](int step) { return step / 100.0 < shown - Slack; });
    percent_ = next == Steps.rend() || *next / 100.0 <= floor + Slack ? Fit : *next;
    return true;
}

bool MapZoom::Reset()
{
    if (percent_ == Full)
        return false;
    percent_ = Full;
    return true;
}

} // namespace ostrel
