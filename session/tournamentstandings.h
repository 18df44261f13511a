#pragma once

#include "replaymodel.h"

#include <vector>

namespace ostrel {

// Who won what, read from the battle table alone, so that it holds whatever
// position the replay shows. A battle's result puts its loser out (ResultCode
// 0: player 2, 1: player 1) or both players (2); a win counts for player 1 at
// 0 and for player 2 at 1. Sides that name no entrant are passed over.

// What one entrant has done by a replay position.
struct EntrantRecord {
    int Wins = 0;              // battles won whose result is read by then
    std::vector<int> Battles;  // indexes of the battles it has begun by then, in table order
};
EntrantRecord RecordAt(const ReplayModel &model, int entrant, int position);

struct Standing {
    int Entrant = -1;  // index into the entrant table
    // 1 for an entrant never put out; otherwise 1 + the number of entrants
    // still in play after the turn it went out in. Entrants out in the same
    // turn share their place.
    int Place = 1;
    int Wins = 0;      // over the whole tournament
    int OutTurn = -1;  // the turn of the result that put it out first; -1 when never out
};

struct TournamentSummary {
    int Winner = -1;                  // the one entrant never put out; -1 unless exactly one
    std::vector<Standing> Standings;  // one per entrant, by place, then by index
};
TournamentSummary SummarizeTournament(const ReplayModel &model);

} // namespace ostrel
