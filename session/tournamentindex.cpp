#include "tournamentindex.h"

#include "stepeffects.h"

#include <algorithm>

namespace ostrel {

std::string_view EntrantHistory::OutcomeName(Outcome outcome)
{
    switch (outcome) {
    case Outcome::Won: return "won";
    case Outcome::Lost: return "lost";
    case Outcome::Draw: return "draw";
    case Outcome::None: break;
    }
    return "none";
}

namespace {

// A battle's result from one player's side: code 0 is player 1's win, 1
// player 2's, 2 a draw.
EntrantHistory::Outcome OutcomeFor(const BattleEntry &battle, bool asPlayer1)
{
    switch (battle.ResultCode) {
    case 0: return asPlayer1 ? EntrantHistory::Outcome::Won : EntrantHistory::Outcome::Lost;
    case 1: return asPlayer1 ? EntrantHistory::Outcome::Lost : EntrantHistory::Outcome::Won;
    case 2: return EntrantHistory::Outcome::Draw;
    default: return EntrantHistory::Outcome::None;
    }
}

template <typename Table>
auto *At(Table &table, int index)
{
    return index >= 0 && std::size_t(index) < table.size() ? &table[std::size_t(index)] : nullptr;
}

} // namespace

void TournamentIndex::Clear()
{
    *this = TournamentIndex();
}

void TournamentIndex::Build(const ReplayModel &model)
{
    Clear();
    const std::size_t entrantCount = model.Entrants.size();
    starts_.reserve(entrantCount);
    int32_t alive = 0;
    for (const Entrant &entrant : model.Entrants) {
        starts_.push_back({entrant.X, entrant.Y, entrant.HitPointRate, entrant.Status});
        alive += entrant.Status < 0;
    }

    // Only fight steps change who is in play: walk them over a copy of the
    // statuses, keeping the count as they change.
    const std::size_t positions = model.Steps.size() + 2;
    alive_.resize(positions);
    battleAt_.assign(positions, 0);
    std::vector<Start> state = starts_;
    alive_[0] = alive;
    for (std::size_t k = 1; k <= model.Steps.size(); ++k) {
        const ReplayStep &step = model.Steps[k - 1];
        if (step.IsFight() && step.Fight) {
            const FightRecord &fight = *step.Fight;
            battleAt_[k] = fight.BattleNo;
            Start *p1 = At(state, fight.Side[0].EntrantIndex);
            Start *p2 = At(state, fight.Side[1].EntrantIndex);
            alive -= (p1 && p1->Status < 0) + (p2 && p2 != p1 && p2->Status < 0);
            ApplyFightOutcome(fight, p1, p2);
            alive += (p1 && p1->Status < 0) + (p2 && p2 != p1 && p2->Status < 0);
        }
        alive_[k] = alive;
    }
    alive_[positions - 1] = alive;

    // Battles by entrant, counted then placed, in table order.
    battleOffset_.assign(entrantCount + 1, 0);
    const auto eachPlayer = [&](const BattleEntry &battle, auto visit) {
        if (At(starts_, battle.Player1))
            visit(std::size_t(battle.Player1));
        if (battle.Player2 != battle.Player1 && At(starts_, battle.Player2))
            visit(std::size_t(battle.Player2));
    };
    for (const BattleEntry &battle : model.Battles)
        eachPlayer(battle, [&](std::size_t entrant) { ++battleOffset_[entrant + 1]; });
    for (std::size_t i = 0; i < entrantCount; ++i)
        battleOffset_[i + 1] += battleOffset_[i];
    battleIndex_.resize(battleOffset_[entrantCount]);
    std::vector<uint32_t> next(battleOffset_.begin(), battleOffset_.end() - 1);
    for (std::size_t b = 0; b < model.Battles.size(); ++b)
        eachPlayer(model.Battles[b], [&](std::size_t entrant) { battleIndex_[next[entrant]++] = int32_t(b); });
}

std::vector<int> TournamentIndex::BattlesOf(int entrant) const
{
    if (!At(starts_, entrant))
        return {};
    const auto first = battleIndex_.begin() + battleOffset_[std::size_t(entrant)];
    const auto last = battleIndex_.begin() + battleOffset_[std::size_t(entrant) + 1];
    return {first, last};
}

EntrantHistory TournamentIndex::HistoryOf(const ReplayModel &model, int entrant) const
{
    EntrantHistory history;
    const Start *start = At(starts_, entrant);
    if (!start)
        return history;
    history.Entrant = entrant;
    Start state = *start;
    history.Cells.push_back({0, state.X, state.Y});
    history.Rates.push_back({0, state.HitPointRate});
    history.Statuses.push_back({0, state.Status});

    const auto note = [](std::vector<EntrantHistory::Value> &list, int position, int32_t value) {
        if (list.back().Value != value)
            list.push_back({position, value});
    };
    for (std::size_t k = 1; k <= model.Steps.size(); ++k) {
        const ReplayStep &step = model.Steps[k - 1];
        const int position = int(k);
        if (step.IsFight()) {
            if (!step.Fight)
                continue;
            const FightRecord &fight = *step.Fight;
            const bool first = fight.Side[0].EntrantIndex == entrant;
            const bool second = fight.Side[1].EntrantIndex == entrant;
            if (!first && !second)
                continue;
            ApplyFightOutcome(fight, first ? &state : nullptr, second ? &state : nullptr);
            note(history.Rates, position, state.HitPointRate);
            note(history.Statuses, position, state.Status);
        } else if (step.Move) {
            bool moved = false;
            for (const MoveDelta &delta : step.Move->Deltas) {
                if (delta.EntrantIndex == entrant) {
                    state.X = Moved(state.X, delta.Dx);
                    state.Y = Moved(state.Y, delta.Dy);
                    moved = true;
                }
            }
            const EntrantHistory::Cell &last = history.Cells.back();
            if (moved && (last.X != state.X || last.Y != state.Y))
                history.Cells.push_back({position, state.X, state.Y});
        }
    }

    for (int b : BattlesOf(entrant)) {
        const BattleEntry &battle = model.Battles[std::size_t(b)];
        const bool asPlayer1 = battle.Player1 == entrant;
        history.Battles.push_back({b, battle.StartPosition, battle.EndPosition,
                                   asPlayer1 ? battle.Player2 : battle.Player1, OutcomeFor(battle, asPlayer1)});
    }
    return history;
}

} // namespace ostrel
