#pragma once

#include "replaymodel.h"

#include <vector>

namespace ostrel {

// Counts, for every entrant index, the battles of the table that it has won
// as they stand: a battle counts for Player1 when its ResultCode is 0 and
// for Player2 when it is 1. Kept up to date as battles change, so that a
// count costs O(1) instead of a scan of the whole table.
class WinLedger {
public:
    WinLedger() : wins_(1u << 16, 0) {}

    // Call Withdraw before changing a battle's players or result, and
    // Enter after the change.
    void Withdraw(const BattleEntry &battle) { Apply(battle, -1); }
    void Enter(const BattleEntry &battle) { Apply(battle, +1); }

    int Wins(int16_t entrant) const { return wins_[uint16_t(entrant)]; }

private:
    void Apply(const BattleEntry &battle, int delta)
    {
        if (battle.ResultCode == 0)
            wins_[uint16_t(battle.Player1)] += delta;
        else if (battle.ResultCode == 1)
            wins_[uint16_t(battle.Player2)] += delta;
    }

    std::vector<int> wins_;
};

} // namespace ostrel
