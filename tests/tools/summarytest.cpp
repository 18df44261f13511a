// The session's tournament summary on generated tournaments, checked against
// places and wins counted here from the script's own lines.

#include "generatedscript.h"
#include "replaysession.h"
#include "tournamentgenerator.h"

#include <QTemporaryFile>

#include <gtest/gtest.h>

#include <map>

using namespace ostrel;

namespace {

struct Shape {
    const char *Name;
    std::uint64_t Seed;
    int Entrants, Width, Height, MaxTurns;
};

void PrintTo(const Shape &shape, std::ostream *out)
{
    *out << shape.Name;
}

struct Tally {
    int Wins = 0;
    int OutTurn = -1;
};

// Wins and the turn of the first result that put each entrant out, read
// from the script's Result lines.
std::vector<Tally> TallyOf(const GeneratedScript &script)
{
    std::vector<Tally> tally(script.Entrants.size());
    const auto out = [&](int entrant, int turn) {
        Tally &t = tally.at(std::size_t(entrant));
        if (t.OutTurn == -1)
            t.OutTurn = turn;
    };
    for (const ScriptEvent &event : script.Events) {
        const FightEvent *fight = std::get_if<FightEvent>(&event);
        if (!fight || !fight->Result)
            continue;
        const int code = (*fight->Result)[1];
        if (code == 0 || code == 1)
            ++tally.at(std::size_t(fight->Players[std::size_t(code)])).Wins;
        if (code == 1 || code == 2)
            out(fight->Players[0], fight->Turn);
        if (code == 0 || code == 2)
            out(fight->Players[1], fight->Turn);
    }
    return tally;
}

// 1 + the number of other entrants that lasted longer.
int PlaceOf(const std::vector<Tally> &tally, std::size_t entrant)
{
    const int mine = tally[entrant].OutTurn;
    if (mine == -1)
        return 1;
    int longer = 0;
    for (const Tally &other : tally)
        longer += other.OutTurn == -1 || other.OutTurn > mine;
    return 1 + longer;
}

class SummaryTest : public ::testing::TestWithParam<Shape> {};

TEST_P(SummaryTest, PlacesWinsAndTheWinnerMatchACountOfTheResults)
{
    const Shape &shape = GetParam();
    TournamentOptions options;
    options.Seed = shape.Seed;
    options.Entrants = shape.Entrants;
    options.Width = shape.Width;
    options.Height = shape.Height;
    options.MaxTurns = shape.MaxTurns;
    const QByteArray bytes = TournamentGenerator::Generate(options);
    QTemporaryFile file;
    ASSERT_TRUE(file.open() && file.write(bytes) == bytes.size() && file.flush());
    ReplaySession session;
    ASSERT_TRUE(session.OpenScript(file.fileName()).Succeeded());

    const GeneratedScript script = GeneratedScript::Read(bytes);
    const std::vector<Tally> tally = TallyOf(script);
    const TournamentSummary summary = session.Summary();
    ASSERT_EQ(summary.Standings.size(), tally.size());
    int previousPlace = 1;
    for (const Standing &standing : summary.Standings) {
        const auto i = std::size_t(standing.Entrant);
        ASSERT_LT(i, tally.size());
        EXPECT_EQ(standing.Wins, tally[i].Wins) << "entrant " << i;
        EXPECT_EQ(standing.OutTurn, tally[i].OutTurn) << "entrant " << i;
        EXPECT_EQ(standing.Place, PlaceOf(tally, i)) << "entrant " << i;
        EXPECT_GE(standing.Place, previousPlace) << "listed by place";
        previousPlace = standing.Place;
    }

    const std::vector<bool> inPlay = InPlayAtEnd(script);
    const auto left = std::count(inPlay.begin(), inPlay.end(), true);
    const int winner = left == 1 ? int(std::find(inPlay.begin(), inPlay.end(), true) - inPlay.begin()) : -1;
    EXPECT_EQ(summary.Winner, winner);
}

INSTANTIATE_TEST_SUITE_P(Generated, SummaryTest,
                         ::testing::Values(Shape{"Default", 1, 30, 12, 10, 1000}, Shape{"Crowd", 7, 500, 40, 25, 1000},
                                           Shape{"Corridor", 4, 40, 40, 1, 1000},
                                           Shape{"StoppedEarly", 9, 60, 12, 12, 12},
                                           Shape{"LoneEntrant", 2, 1, 1, 1, 1000}),
                         [](const auto &info) { return std::string(info.param.Name); });

} // namespace
