#include "tournamentstandings.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace ostrel {

namespace {

// The entrant indexes a battle's result puts out, -1 for none.
std::array<int, 2> LosersOf(const BattleEntry &battle)
{
    switch (battle.ResultCode) {
    case 0: return {battle.Player2, -1};
    case 1: return {battle.Player1, -1};
    case 2: return {battle.Player1, battle.Player2};
    default: return {-1, -1};
    }
}

int WinnerOf(const BattleEntry &battle)
{
    switch (battle.ResultCode) {
    case 0: return battle.Player1;
    case 1: return battle.Player2;
    default: return -1;
    }
}

} // namespace

EntrantRecord RecordAt(const ReplayModel &model, int entrant, int position)
{
    EntrantRecord record;
    if (!model.EntrantAt(entrant))
        return record;
    for (std::size_t i = 0; i < model.Battles.size(); ++i) {
        const BattleEntry &battle = model.Battles[i];
        if (battle.StartPosition > position || (battle.Player1 != entrant && battle.Player2 != entrant))
            continue;
        record.Battles.push_back(int(i));
        if (battle.EndPosition <= position && WinnerOf(battle) == entrant)
            ++record.Wins;
    }
    return record;
}

TournamentSummary SummarizeTournament(const ReplayModel &model)
{
    std::vector<Standing> standings(model.Entrants.size());
    for (std::size_t i = 0; i < standings.size(); ++i)
        standings[i].Entrant = int(i);
    const auto standingOf = [&](int entrant) -> Standing * {
        return model.EntrantAt(entrant) ? &standings[std::size_t(entrant)] : nullptr;
    };
    for (const BattleEntry &battle : model.Battles) {
        if (Standing *winner = standingOf(WinnerOf(battle)))
            ++winner->Wins;
        for (int loser : LosersOf(battle)) {
            Standing *out = standingOf(loser);
            if (out && out->OutTurn == -1)
                out->OutTurn = battle.EndTurn;
        }
    }

    // Never out sorts as the latest turn of all.
    const auto lastedUntil = [](const Standing &s) { return s.OutTurn == -1 ? INT64_MAX : int64_t(s.OutTurn); };
    std::stable_sort(standings.begin(), standings.end(),
                     [&](const Standing &a, const Standing &b) { return lastedUntil(a) > lastedUntil(b); });
    for (std::size_t i = 0; i < standings.size(); ++i) {
        const bool tied = i > 0 && lastedUntil(standings[i]) == lastedUntil(standings[i - 1]);
        standings[i].Place = tied ? standings[i - 1].Place : int(i) + 1;
    }

    TournamentSummary summary;
    const bool oneLeft = !standings.empty() && standings[0].OutTurn == -1 &&
                         (standings.size() == 1 || standings[1].OutTurn != -1);
    if (oneLeft)
        summary.Winner = standings[0].Entrant;
    summary.Standings = std::move(standings);
    return summary;
}

} // namespace ostrel
