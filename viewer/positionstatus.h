#pragma once

#include <QString>

namespace ostrel {

class ReplaySession;

// The status bar's text: the position and the end position, the turn of the
// step shown, the map's zoom in percent, and at the end position who won.
// Empty before the first load, when the bar shows nothing.
QString PositionStatusText(const ReplaySession &session, int zoomPercent);

} // namespace ostrel
