#pragma once

#include <string_view>

struct ReplayStep;

// What the step engine asks of the window that shows the replay. Texts are
// Shift-JIS bytes.
class ReplayView {
public:
    virtual ~ReplayView() = default;

    virtual void ClearDigest() = 0;
    virtual void AppendDigestLine(std::string_view line) = 0;
    // Has the map pane show the map as it is now.
    virtual void PresentMap() = 0;
    // Paints the map pane at once rather than at the next turn of the event loop.
    virtual void RepaintMapNow() = 0;
    // Brings the battle list up to date; reference is null without steps.
    virtual void RefreshBattleList(int position, const ReplayStep *reference) = 0;
    virtual void ClearBattleList() = 0;
    // Ends play (the flag only; the timer notices at its next tick).
    virtual void StopPlaying() = 0;
    // Moves the slider; when the position changes, its change handler runs
    // (and seeks) inside this call.
    virtual void SetSliderPosition(int position) = 0;
    virtual int SliderMax() const = 0;
};
