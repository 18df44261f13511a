#pragma once

// The playback state a user sees: which controls are enabled, the play
// timer and Playing. The session and the window must show the same five
// states, so both are compared against one table.

#include "replaysession.h"

#include <ostream>

namespace ostrel {

struct PlaybackState {
    PlaybackControls Enabled;
    int Timer = 0;  // the timer's period; 0 while it is stopped
    bool Playing = false;

    static PlaybackState Of(const ReplaySession &session);
    bool operator==(const PlaybackState &) const = default;
};
void PrintTo(const PlaybackState &state, std::ostream *out);

// The five states of the toolbar.
namespace States {
inline constexpr PlaybackState Empty{};
inline constexpr PlaybackState Stopped{{true, true, false, true, true}, 0, false};
inline constexpr PlaybackState AtEnd{{false, false, false, true, true}, 0, false};
inline constexpr PlaybackState PlayingSlow{{false, true, true, true, true}, 1000, true};
inline constexpr PlaybackState PlayingFast{{true, false, true, true, true}, 300, true};
} // namespace States

} // namespace ostrel
