#pragma once

#include "arenacontrol.h"
#include "replaymodel.h"

#include <string>
#include <vector>

namespace ostrel {

// Moves the replay from the position the map shows to another one, applying
// or undoing the steps in between one at a time, and keeps the map, the
// entrants' cells, rates and statuses and the highlight of the battle being
// fought in step with each other, and writes the digest of the step it lands
// on (Shift-JIS lines). The map learns what each step changes through
// ArenaControl; the engine draws nothing itself.
//
// Positions run from 0 (the start) through n (after the last of n steps) to
// n + 1 (the end, nothing current). Landing on 0 treats step 1 as current:
// its turn is shown and, for a fight, its outcome applied and highlighted.
// A move step is undone by retracing its moves in reverse order.
// A fight is undone in two halves: applying it backward sets its outcome and
// highlights it once more, and clearing that highlight backward restores both
// players' rates from before the fight and puts them back in play.
class StepEngine {
public:
    StepEngine(ReplayModel &model, ArenaControl &arena) : StepEngine(model, model.Entrants, arena) {}
    // A second replay of the same tournament: it reads the model's steps,
    // which no longer change once loaded, and moves entrants of its own.
    StepEngine(const ReplayModel &model, std::vector<Entrant> &entrants, ArenaControl &arena)
        : model_(model), entrants_(entrants), arena_(arena) {}

    // Stands where other stands (position, highlight, digest). This engine's
    // entrants and arena must be copies of other's, taken at that position.
    void TakePositionOf(const StepEngine &other);

    // Moves to target (0 to Maximum()). False, doing nothing at all, when
    // target is the current position. Must not be re-entered.
    bool SeekTo(int target);
    // The model is being replaced: forget the highlight without restoring
    // or redrawing anything.
    void ReleaseHighlight();
    void ClearDigest() { digest_.clear(); }

    // The end position: the number of steps + 1.
    int Maximum() const { return StepCount() + 1; }
    int CurrentPosition() const { return currentPosition_; }
    // The step the replay shows at position p: step 1 at 0, the last step at
    // the end; null without steps.
    const ReplayStep *ShownStep(int p) const;
    // The digest of the step landed on, a line each.
    const std::vector<std::string> &Digest() const { return digest_; }
    bool HighlightActive() const { return highlightActive_; }
    int HighlightPlayer1() const { return highlightPlayer1_; }
    int HighlightPlayer2() const { return highlightPlayer2_; }
    // The number of the highlighted fight step (from 1); 0 when none.
    int HighlightStepNumber() const { return highlightStep_; }

private:
    void ApplyStep(int k, bool forward, bool landing);
    void ApplyMoveStep(const ReplayStep &step, bool forward);
    void ApplyFightStep(const ReplayStep &step, bool landing);
    void ClearHighlight(bool forward);
    void LandOn(int p, bool forward);
    void WriteBattleDigest(const ReplayStep &step);
    void Highlight(const ReplayStep &step, bool landing);
    void RedrawEntrant(int index);

    const ReplayStep *StepAt(int k) const;
    void PrefetchFightsAhead(int k, int direction) const;
    void PrefetchEntrant(int index) const;
    int StepCount() const { return int(model_.Steps.size()); }
    Entrant *EntrantAt(int index) const
    {
        return index >= 0 && std::size_t(index) < entrants_.size() ? &entrants_[std::size_t(index)] : nullptr;
    }

    const ReplayModel &model_;
    std::vector<Entrant> &entrants_;
    ArenaControl &arena_;
    std::vector<std::string> digest_;

    int currentPosition_ = 0;
    bool highlightActive_ = false;
    int highlightPlayer1_ = 0;
    int highlightPlayer2_ = 0;
    int highlightStep_ = 0;
};

} // namespace ostrel
