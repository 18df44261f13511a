#include "stepengine.h"

#include "battledigest.h"
#include "stepeffects.h"

#include <algorithm>

namespace ostrel {

namespace {

// How many deltas or steps ahead a seek fetches what it will touch.
constexpr std::size_t PrefetchDistance = 4;

} // namespace

const ReplayStep *StepEngine::StepAt(int k) const
{
    return k >= 1 && k <= StepCount() ? &model_.Steps[std::size_t(k - 1)] : nullptr;
}

bool StepEngine::SeekTo(int target)
{
    if (target == currentPosition_)
        return false;
    const bool forward = target > currentPosition_;
    if (forward) {
        for (int k = currentPosition_ + 1; k <= target; ++k) {
            PrefetchFightsAhead(k, 1);
            ApplyStep(k, true, false);
        }
    } else {
        for (int k = currentPosition_; k >= target + 1; --k) {
            PrefetchFightsAhead(k, -1);
            ApplyStep(k, false, false);
        }
    }
    LandOn(target, forward);
    currentPosition_ = target;
    return true;
}

void StepEngine::TakePositionOf(const StepEngine &other)
{
    digest_ = other.digest_;
    currentPosition_ = other.currentPosition_;
    highlightActive_ = other.highlightActive_;
    highlightPlayer1_ = other.highlightPlayer1_;
    highlightPlayer2_ = other.highlightPlayer2_;
    highlightStep_ = other.highlightStep_;
}

const ReplayStep *StepEngine::ShownStep(int p) const
{
    return model_.Steps.empty() ? nullptr : StepAt(std::clamp(p, 1, StepCount()));
}

void StepEngine::ReleaseHighlight()
{
    highlightActive_ = false;
    highlightStep_ = 0;
}

// What a step reads of an entrant: its place, and what colours its label.
void StepEngine::PrefetchEntrant(int index) const
{
    if (const Entrant *entrant = EntrantAt(index)) {
        __builtin_prefetch(&entrant->X);
        __builtin_prefetch(&entrant->Status);
    }
}

// A fight step reads its record, then its players, then their cells: each
// is fetched a few steps before the next one needs it.
void StepEngine::PrefetchFightsAhead(int k, int direction) const
{
    constexpr int Distance = int(PrefetchDistance);
    if (const ReplayStep *step = StepAt(k + 3 * direction * Distance); step && step->Fight)
        __builtin_prefetch(step->Fight);
    if (const ReplayStep *step = StepAt(k + 2 * direction * Distance); step && step->Fight) {
        for (const FightSide &side : step->Fight->Side)
            PrefetchEntrant(side.EntrantIndex);
    }
    if (const ReplayStep *step = StepAt(k + direction * Distance); step && step->Fight) {
        for (const FightSide &side : step->Fight->Side) {
            if (const Entrant *entrant = EntrantAt(side.EntrantIndex))
                arena_.Prefetch(entrant->X, entrant->Y);
        }
    }
}

void StepEngine::ApplyStep(int k, bool forward, bool landing)
{
    if (highlightActive_)
        ClearHighlight(forward);
    const ReplayStep *step = StepAt(k);
    if (!step)
        return;
    if (step->IsFight())
        ApplyFightStep(*step, landing);
    else
        ApplyMoveStep(*step, forward);
}

// Each delta empties the cell its entrant leaves and marks the one it enters.
// Undoing takes the deltas in reverse order, so that it retraces the step
// exactly: in stored order, an entrant stepping into a cell that another one
// left earlier in the same turn would be wiped from the map when the other
// is moved back out of it.
void StepEngine::ApplyMoveStep(const ReplayStep &step, bool forward)
{
    if (!step.Move)
        return;
    const std::vector<MoveDelta> &deltas = step.Move->Deltas;
    const auto at = [&](std::size_t n) -> const MoveDelta & { return deltas[forward ? n : deltas.size() - 1 - n]; };
    for (std::size_t n = 0; n < deltas.size(); ++n) {
        // Fetch ahead: the entrants a few deltas on, and the cells of those
        // already fetched.
        if (n + 2 * PrefetchDistance < deltas.size())
            PrefetchEntrant(at(n + 2 * PrefetchDistance).EntrantIndex);
        if (n + PrefetchDistance < deltas.size()) {
            const MoveDelta &ahead = at(n + PrefetchDistance);
            if (const Entrant *entrant = EntrantAt(ahead.EntrantIndex)) {
                arena_.Prefetch(entrant->X, entrant->Y);
                const int sign = forward ? 1 : -1;
                arena_.Prefetch(Moved(entrant->X, sign * ahead.Dx), Moved(entrant->Y, sign * ahead.Dy));
            }
        }
        const MoveDelta &delta = at(n);
        Entrant *entrant = EntrantAt(delta.EntrantIndex);
        if (!entrant)
            continue;
        arena_.SetCell(entrant->X, entrant->Y, 0);
        arena_.RedrawCell(entrant->X, entrant->Y, -1);
        const int sign = forward ? 1 : -1;
        entrant->X = Moved(entrant->X, sign * delta.Dx);
        entrant->Y = Moved(entrant->Y, sign * delta.Dy);
        arena_.SetCell(entrant->X, entrant->Y, delta.EntrantIndex + 1);
        arena_.RedrawCell(entrant->X, entrant->Y, -1);
        arena_.RedrawCell(entrant->X, entrant->Y, delta.EntrantIndex);
    }
}

void StepEngine::ApplyFightStep(const ReplayStep &step, bool landing)
{
    if (!step.Fight)
        return;
    const FightRecord &fight = *step.Fight;
    ApplyFightOutcome(fight, EntrantAt(fight.Side[0].EntrantIndex), EntrantAt(fight.Side[1].EntrantIndex));
    Highlight(step, landing);
}

// The highlight of a step a seek passes through is cleared by the next step
// before anything else is drawn, and clearing redraws both cells with the
// same labels over a fresh fill, which leaves them exactly as if the
// highlight had never been drawn. So only the step landed on draws its own.
void StepEngine::Highlight(const ReplayStep &step, bool landing)
{
    if (landing) {
        for (const FightSide &side : step.Fight->Side) {
            if (const Entrant *entrant = EntrantAt(side.EntrantIndex))
                arena_.HighlightCell(entrant->X, entrant->Y, side.EntrantIndex);
        }
    }
    highlightPlayer1_ = step.Fight->Side[0].EntrantIndex;
    highlightPlayer2_ = step.Fight->Side[1].EntrantIndex;
    highlightActive_ = true;
    highlightStep_ = int(&step - model_.Steps.data()) + 1;
}

void StepEngine::ClearHighlight(bool forward)
{
    highlightActive_ = false;
    Entrant *p1 = EntrantAt(highlightPlayer1_);
    Entrant *p2 = EntrantAt(highlightPlayer2_);
    const ReplayStep *highlighted = StepAt(highlightStep_);
    if (!forward && highlighted && highlighted->Fight) {
        const FightRecord &fight = *highlighted->Fight;
        for (Entrant *entrant : {p1, p2}) {
            if (entrant)
                entrant->Status = -1;
        }
        if (p1)
            p1->HitPointRate = fight.Side[0].RateBefore;
        if (p2)
            p2->HitPointRate = fight.Side[1].RateBefore;
    }
    RedrawEntrant(highlightPlayer1_);
    RedrawEntrant(highlightPlayer2_);
}

void StepEngine::RedrawEntrant(int index)
{
    const Entrant *entrant = EntrantAt(index);
    if (!entrant)
        return;
    arena_.RedrawCell(entrant->X, entrant->Y, -1);
    arena_.RedrawCell(entrant->X, entrant->Y, index);
}

void StepEngine::LandOn(int p, bool forward)
{
    digest_.clear();
    if (p <= 0)
        p = 1;
    const ReplayStep *step = StepAt(p);
    if (!step)
        return;
    digest_.push_back(TurnLine(step->Turn));
    if (!step->IsFight()) {
        // Only when arriving backward on a move step followed by a fight:
        // the clear undoes that fight.
        if (highlightActive_)
            ClearHighlight(forward);
    } else {
        ApplyStep(p, forward, true);
        WriteBattleDigest(*step);
    }
}

void StepEngine::WriteBattleDigest(const ReplayStep &step)
{
    if (!step.Fight)
        return;
    for (std::string &line : BattleDigestLines(model_, *step.Fight))
        digest_.push_back(std::move(line));
}

} // namespace ostrel
