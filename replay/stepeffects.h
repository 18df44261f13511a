#pragma once

#include "replaymodel.h"

#include <cstdint>

namespace ostrel {

// What a step does to the entrants it names, for whatever keeps their state:
// the model's entrants as the engine moves them, or the lighter copies of
// tools that walk the whole tournament.

// A coordinate moved by delta. Cells move with two's-complement wrap-around,
// so that any sequence of moves, however long, undoes exactly.
inline int32_t Moved(int32_t coordinate, int delta)
{
    return int32_t(uint32_t(coordinate) + uint32_t(delta));
}

// Sets both players' hit-point rates and statuses as the fight step leaves
// them, player 1 first; a null player (a side naming no entrant) is passed
// over. State is any record with HitPointRate and Status.
template <typename State>
void ApplyFightOutcome(const FightRecord &fight, State *player1, State *player2)
{
    if (player1)
        player1->HitPointRate = fight.Side[0].RateAfter;
    if (player2)
        player2->HitPointRate = fight.Side[1].RateAfter;
    const auto setStatus = [](State *player, int32_t status) {
        if (player)
            player->Status = status;
    };
    switch (fight.ResultCode) {
    case -1: setStatus(player1, -1); setStatus(player2, -1); break;
    case 0: setStatus(player2, fight.OutStatus); break;
    case 1: setStatus(player1, fight.OutStatus); break;
    case 2: setStatus(player1, fight.OutStatus); setStatus(player2, fight.OutStatus); break;
    default: break;
    }
}

} // namespace ostrel
