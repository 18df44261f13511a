#pragma once

#include <array>
#include <vector>

namespace ostrel {

class SeededRandom;

// The course of one battle, decided when it begins: how it ends and each
// player's hit-point rate after every fight step. Both players start in play
// with a rate of 1 or more; over the steps each rate only falls, a player who
// goes out ends at 0 and one who stays in ends at 1 or more.
struct BattlePlan {
    enum Code { NobodyOut = -1, Player1Won = 0, Player2Won = 1, BothOut = 2 };

    int ResultCode = NobodyOut;
    int OutStatus = 0;  // the status that whoever goes out receives
    std::vector<std::array<int, 2>> RatesAfter;  // one pair per fight step

    // The endings that the tournament can afford besides a plain win.
    struct Endings {
        bool NobodyOut = true;  // costs a battle number and brings the end no closer
        bool BothOut = true;    // takes two entrants out of play at once
    };

    static BattlePlan Make(SeededRandom &random, std::array<int, 2> startRates, Endings allowed);

    int StepCount() const { return int(RatesAfter.size()); }
    bool IsOut(int side) const;
};

} // namespace ostrel
