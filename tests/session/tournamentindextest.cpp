// The whole-tournament index against the step engine: every position's
// entrants in play and fought battle, and every entrant's history, must be
// what a seek from the start to that position leaves. A tournament where an
// entrant goes out, comes back by a later result and goes out again is also
// checked against histories written out by hand. Then the entrant search.

#include "scripttext.h"
#include "sessiontestkit.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace ostrel;

namespace {

// The value a history's list holds at position p.
template <typename List>
const auto &At(const List &list, int p)
{
    auto it = list.begin();
    for (auto next = it; next != list.end() && next->Position <= p; ++next)
        it = next;
    return *it;
}

EntrantState StateFromHistory(const EntrantHistory &history, int p)
{
    const EntrantHistory::Cell &cell = At(history.Cells, p);
    return {cell.X, cell.Y, At(history.Rates, p).Value, At(history.Statuses, p).Value};
}

// Walks the session forward one position at a time, comparing the index with
// what the engine leaves.
void ExpectIndexFollowsTheEngine(const std::string &script)
{
    const std::unique_ptr<ReplaySession> session = OpenSession(script);
    const TournamentIndex &index = session->Index();
    const ReplayModel &model = session->Model();
    std::vector<EntrantHistory> histories;
    for (int i = 0; i < int(model.Entrants.size()); ++i)
        histories.push_back(index.HistoryOf(model, i));
    ASSERT_EQ(index.Alive().size(), std::size_t(session->SliderMax() + 1));
    for (int p = 0; p <= session->SliderMax(); ++p) {
        if (p > 0) {
            ASSERT_TRUE(session->MoveSlider(p));
        }
        SCOPED_TRACE("position " + std::to_string(p));
        int alive = 0;
        for (std::size_t i = 0; i < model.Entrants.size(); ++i) {
            alive += model.Entrants[i].Status < 0;
            ASSERT_EQ(StateFromHistory(histories[i], p), StatesOf(model.Entrants)[i]) << "entrant " << i;
        }
        EXPECT_EQ(index.Alive()[std::size_t(p)], alive);
        const ReplayStep *step = p >= 1 && p <= int(model.Steps.size()) ? &model.Steps[std::size_t(p - 1)] : nullptr;
        EXPECT_EQ(index.BattleAt()[std::size_t(p)], step && step->IsFight() ? step->Fight->BattleNo : 0);
    }
}

TEST(TournamentIndex, FollowsTheEngineOnRandomTournaments)
{
    for (unsigned seed = 1; seed <= 6; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        ExpectIndexFollowsTheEngine(RandomTournament(seed));
    }
}

// Battle 1: A beats B (B out, status 8). Battle 2: B and C, nobody out: B is
// back in play. Battle 3: B beats A (A out, status 16); A moves no more.
// Battle 4: C against B, both out (status 4). A moves once before all that.
std::string OutBackAndOutAgain()
{
    return ScriptBuilder(4, 4)
        .Entrant("Aa", 0, 0).Entrant("Bb", 1, 0).Entrant("Cc", 2, 0)
        .Turn().Move(0, 0, 1)
        .Turn().Fight(1).Player(0, 0, 90).Player(1, 1, 0).Result(0, 8)
        .Turn().Fight(2).Player(0, 2, 70).Player(1, 1, 40).Result(-1, 0)
        .Turn().Fight(3).Player(0, 1, 30).Player(1, 0, 0).Result(0, 16)
        .Turn().Fight(4, 1).Player(0, 2, 0).Player(1, 1, 0).Result(2, 4)
        .Text();
}

std::string Dump(const EntrantHistory &history)
{
    std::ostringstream out;
    for (const auto &cell : history.Cells)
        out << "(" << cell.Position << ":" << cell.X << "," << cell.Y << ")";
    out << " rates";
    for (const auto &rate : history.Rates)
        out << " " << rate.Position << ":" << rate.Value;
    out << " statuses";
    for (const auto &status : history.Statuses)
        out << " " << status.Position << ":" << status.Value;
    out << " battles";
    for (const auto &battle : history.Battles)
        out << " " << battle.Index << "@" << battle.First << "-" << battle.Last << " vs " << battle.Opponent << " "
            << EntrantHistory::OutcomeName(battle.Result);
    return out.str();
}

TEST(TournamentIndex, HistoriesOfAnEntrantThatGoesOutComesBackAndGoesOutAgain)
{
    ExpectIndexFollowsTheEngine(OutBackAndOutAgain());
    const std::unique_ptr<ReplaySession> session = OpenSession(OutBackAndOutAgain());
    const TournamentIndex &index = session->Index();
    const std::pair<int, const char *> expected[] = {
        {0, "(0:0,0)(1:0,1) rates 0:100 2:90 4:0 statuses 0:-1 4:16 battles 0@2-2 vs 1 won 2@4-4 vs 1 lost"},
        {1, "(0:1,0) rates 0:100 2:0 3:40 4:30 5:0 statuses 0:-1 2:8 3:-1 5:4"
            " battles 0@2-2 vs 0 lost 1@3-3 vs 2 none 2@4-4 vs 0 won 3@5-5 vs 2 draw"},
        {2, "(0:2,0) rates 0:100 3:70 5:0 statuses 0:-1 5:4 battles 1@3-3 vs 1 none 3@5-5 vs 1 draw"},
    };
    for (const auto &[entrant, dump] : expected)
        EXPECT_EQ(Dump(index.HistoryOf(session->Model(), entrant)), dump) << "entrant " << entrant;
    EXPECT_EQ(index.Alive(), (std::vector<int32_t>{3, 3, 2, 3, 2, 0, 0}));
    EXPECT_EQ(index.BattleAt(), (std::vector<int16_t>{0, 0, 1, 2, 3, 4, 0}));
    for (int outside : {-1, 3, 40000})
        EXPECT_EQ(index.HistoryOf(session->Model(), outside).Entrant, -1);
}

TEST(EntrantSearch, FindsByNameOwnerOrEmblemAfterNormalisingAndFolding)
{
    const std::unique_ptr<ReplaySession> session = OpenSession(
        ScriptBuilder(4, 4)
            .Entrant("ｶﾀ", 0, 0, "アカドウジ", "Strasse")
            .Entrant("K9", 1, 0, "ｲｶﾂﾞﾁ", "ＭＩＫＡ")
            .Entrant("桜印", 2, 0, "Gamma", "owner")
            .Text());
    const std::pair<const char *, std::vector<int>> rows[] = {
        {"カ", {0, 1}},           // half-width katakana in names and emblems
        {"ｶﾀ", {0}},              // and the other way round
        {"イカヅ", {1}},          // a half-width voiced mark joins its letter
        {"mika", {1}},            // full-width letters, any case
        {"STRAßE", {0}},          // ß folds to ss
        {"k9", {1}},
        {"GAMMA", {2}},
        {"桜", {2}},
        {"nobody", {}},
    };
    for (const auto &[text, found] : rows)
        EXPECT_EQ(session->Search().Find(QString::fromUtf8(text)), found) << text;
}

} // namespace
