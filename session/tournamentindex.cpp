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
    starts_.reserve(model.Entrants.size());
    int32_t alive = 0;
    for (const Entrant &entrant : model.Entrants) {
        starts_.push_back({entrant.X, entrant.Y, entrant.HitPointRate, entrant.Status});
        alive += entrant.Status < 0;
    }
    state_ = starts_;
    alive_.assign(1, alive);
    battleAt_.assign(1, 0);
    IndexBattles(model);
    Extend(model, 1);
}

void TournamentIndex::Extend(const ReplayModel &model, int firstChanged)
{
    if (starts_.size() != model.Entrants.size()) {
        Build(model);
        return;
    }
    // Walk the changed steps back, then forward as they read now. Only
    // fight steps change who is in play: the count follows them.
    const std::size_t from = std::size_t(std::clamp(firstChanged, 1, int(alive_.size())));
    while (!changes_.empty() && std::size_t(changes_.back().Step) >= from) {
        state_[std::size_t(changes_.back().Entrant)] = changes_.back().Before;
        changes_.pop_back();
    }
    int32_t alive = alive_[from - 1];
    const std::size_t positions = model.Steps.size() + 2;
    alive_.resize(positions);
    battleAt_.resize(from);
    battleAt_.resize(positions, 0);
    for (std::size_t k = from; k <= model.Steps.size(); ++k) {
        const ReplayStep &step = model.Steps[k - 1];
        if (step.IsFight() && step.Fight) {
            const FightRecord &fight = *step.Fight;
            battleAt_[k] = fight.BattleNo;
            Start *p1 = At(state_, fight.Side[0].EntrantIndex);
            Start *p2 = At(state_, fight.Side[1].EntrantIndex);
            if (p2 == p1)
                p2 = nullptr;
            for (Start *player : {p1, p2}) {
                if (player)
                    changes_.push_back({int(k), int(player - state_.data()), *player});
            }
            alive -= (p1 && p1->Status < 0) + (p2 && p2->Status < 0);
            ApplyFightOutcome(fight, p1, p2);
            alive += (p1 && p1->Status < 0) + (p2 && p2->Status < 0);
        }
        alive_[k] = alive;
    }
    alive_[positions - 1] = alive;
    AddBattles(model);
}

// Battles by entrant, counted then placed, in table order.
void TournamentIndex::IndexBattles(const ReplayModel &model)
{
    const std::size_t entrantCount = starts_.size();
    addedBattles_.clear();
    unnamedBattles_.clear();
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
    for (std::size_t b = 0; b < model.Battles.size(); ++b) {
        const BattleEntry &battle = model.Battles[b];
        eachPlayer(battle, [&](std::size_t entrant) { battleIndex_[next[entrant]++] = int32_t(b); });
        if (battle.Player1 == -1 || battle.Player2 == -1)
            unnamedBattles_.push_back({int32_t(b), battle.Player1, battle.Player2});
    }
    battlesSeen_ = model.Battles.size();
}

// A player, once named, stays: only new battles and battles with a player
// still unnamed can add pairs.
void TournamentIndex::AddBattles(const ReplayModel &model)
{
    std::vector<Unnamed> unnamed;
    const auto add = [&](Unnamed was) {
        const BattleEntry &battle = model.Battles[std::size_t(was.Battle)];
        if (battle.Player1 != was.Player1 && At(starts_, battle.Player1))
            addedBattles_.push_back({battle.Player1, was.Battle});
        if (battle.Player2 != was.Player2 && battle.Player2 != battle.Player1 && At(starts_, battle.Player2))
            addedBattles_.push_back({battle.Player2, was.Battle});
        if (battle.Player1 == -1 || battle.Player2 == -1)
            unnamed.push_back({was.Battle, battle.Player1, battle.Player2});
    };
    for (const Unnamed &was : unnamedBattles_)
        add(was);
    for (std::size_t b = battlesSeen_; b < model.Battles.size(); ++b)
        add({int32_t(b), -1, -1});
    battlesSeen_ = model.Battles.size();
    unnamedBattles_ = std::move(unnamed);
    if (addedBattles_.size() > battleIndex_.size() / 4 + 1024)
        IndexBattles(model);
}

std::vector<int> TournamentIndex::BattlesOf(int entrant) const
{
    if (!At(starts_, entrant))
        return {};
    const auto first = battleIndex_.begin() + battleOffset_[std::size_t(entrant)];
    const auto last = battleIndex_.begin() + battleOffset_[std::size_t(entrant) + 1];
    std::vector<int> battles(first, last);
    if (addedBattles_.empty())
        return battles;
    for (const auto &[player, battle] : addedBattles_) {
        if (player == entrant)
            battles.push_back(battle);
    }
    std::sort(battles.begin(), battles.end());
    battles.erase(std::unique(battles.begin(), battles.end()), battles.end());
    return battles;
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
