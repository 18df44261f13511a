#pragma once

#include "replaymodel.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace ostrel {

// What one entrant went through over the whole tournament. The state at
// position p is the one a seek from 0 to p leaves: steps 1 to min(p, n)
// applied in order. Each list starts at position 0 and then holds every
// position where its value differs from the one before.
struct EntrantHistory {
    struct Cell {
        int Position;
        int32_t X;
        int32_t Y;
    };
    struct Value {
        int Position;
        int32_t Value;
    };
    enum class Outcome { Won, Lost, Draw, None };
    struct Battle {
        int Index;      // in the battle table, from 0 (its list row)
        int First;      // its StartPosition
        int Last;       // its EndPosition
        int Opponent;   // the other player's entrant index
        Outcome Result; // from this entrant's side
    };

    int Entrant = -1;
    std::vector<Cell> Cells;
    std::vector<Value> Rates;
    std::vector<Value> Statuses;
    std::vector<Battle> Battles;  // in table order

    static std::string_view OutcomeName(Outcome outcome);
};

// The tournament as a whole, computed once per load from the entrants as the
// file gives them and the steps, so that the window, the tools and the
// benchmarks share one copy whatever position the replay shows.
class TournamentIndex {
public:
    // Must be called right after a load, while the entrants still hold the
    // state the file gives them (before any step is applied).
    void Build(const ReplayModel &model);
    // The model has grown: steps from firstChanged (from 1) on were added or
    // changed since the last Build or Extend, as were battles from its
    // battle table's former size on, and battles whose player was still
    // unnamed. Costs what changed (now and then the battles by entrant are
    // packed anew, amortised over the growth), not the tournament.
    void Extend(const ReplayModel &model, int firstChanged);
    void Clear();

    // Per position 0 to n + 1: how many entrants are in play (Status < 0).
    const std::vector<int32_t> &Alive() const { return alive_; }
    // Per position 0 to n + 1: the BattleNo of step p when it is a fight
    // step, else 0 (positions 0 and n + 1 give 0).
    const std::vector<int16_t> &BattleAt() const { return battleAt_; }
    // The battles (indices into the battle table, ascending) in which the
    // entrant is a player; empty for an index outside the table.
    std::vector<int> BattlesOf(int entrant) const;

    // The entrant's history over the whole tournament, walking the steps
    // once; an entrant outside the table has none (Entrant stays -1).
    EntrantHistory HistoryOf(const ReplayModel &model, int entrant) const;

private:
    struct Start {
        int32_t X;
        int32_t Y;
        int32_t HitPointRate;
        int32_t Status;
    };

    struct Change {
        int Step;
        int Entrant;
        Start Before;
    };

    void IndexBattles(const ReplayModel &model);
    void AddBattles(const ReplayModel &model);

    std::vector<Start> starts_;
    // Who is where after the last step, and how each fight step changed it,
    // so that steps that change can be walked back.
    std::vector<Start> state_;
    std::vector<Change> changes_;
    std::vector<int32_t> alive_;
    std::vector<int16_t> battleAt_;
    // Battles by entrant: the battles of entrant i are
    // battleIndex_[battleOffset_[i] .. battleOffset_[i + 1]).
    std::vector<uint32_t> battleOffset_;
    std::vector<int32_t> battleIndex_;
    // Battles named since: (entrant, battle) pairs, until packed in.
    std::vector<std::pair<int32_t, int32_t>> addedBattles_;
    struct Unnamed {
        int32_t Battle;
        int16_t Player1;  // as indexed; one of them -1
        int16_t Player2;
    };
    std::vector<Unnamed> unnamedBattles_;
    std::size_t battlesSeen_ = 0;
};

} // namespace ostrel
