#include "playbackstate.h"

namespace ostrel {

PlaybackState PlaybackState::Of(const ReplaySession &session)
{
    return {session.Enabled(), session.TimerInterval(), session.Playing()};
}

void PrintTo(const PlaybackState &state, std::ostream *out)
{
    const auto flag = [out](const char *name, bool on) { *out << name << (on ? " on" : " off") << ", "; };
    flag("Play", state.Enabled.Play);
    flag("Fwd", state.Enabled.Fwd);
    flag("Pause", state.Enabled.Pause);
    flag("Quit", state.Enabled.Quit);
    flag("slider", state.Enabled.Slider);
    *out << "timer " << state.Timer << " ms, Playing " << (state.Playing ? "true" : "false");
}

} // namespace ostrel
