// The loader: sections, counting, event actions, win counts, outcomes and
// what it does with files that break the model's rules.

#include "loadertestkit.h"
#include "sjisdecoder.h"
#include "stringtable.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace ostrel;

namespace {

using Strings = std::vector<std::string>;

const MoveStep &MoveAt(const ReplayModel &model, std::size_t index)
{
    return *model.Steps.at(index).Move;
}

const FightRecord &FightAt(const ReplayModel &model, std::size_t index)
{
    return *model.Steps.at(index).Fight;
}

// --- Header --------------------------------------------------------------

TEST(HeaderTest, ReadsEveryKeyInAnyOrderAndKeepsTheLastOfATwiceGivenKey)
{
    ReplayModel model;
    const std::string text = "HeaderLines: 14\nfightlines: 9\nXSIZE: 3\nYsize:\t4\nEntrant: 0\nxsize: 7\n"
                             "Version: 00.00.02\nFileName: f\nProgramVersion: p\nDateTime: d\nTorvex: t\n"
                             "Stadium: s t a\nEntrantLines: 6\nMoveLines: 5\nTurn:\n";
    const LoadOutcome outcome = LoadBytes(model, text);
    ASSERT_TRUE(outcome.loaded);
    const ScriptHeader &h = model.Header;
    EXPECT_EQ(h.HeaderLines, 14);
    EXPECT_EQ(h.Xsize, 7);
    EXPECT_EQ(h.Ysize, 4);
    EXPECT_EQ(h.FightLines, 9);
    EXPECT_EQ(h.MoveLines, 5);
    EXPECT_EQ(h.Stadium.View(), "s t a");
    EXPECT_EQ(h.FileName.View(), "f");
    EXPECT_TRUE(outcome.result.Messages.empty());
}

TEST(HeaderTest, UnknownKeysAreCountedButCommentsAndPlainLinesAreNot)
{
    ReplayModel model;
    // 4 keyed lines: HeaderLines, an unknown key, Version, " Xsize" (blank before the key: unknown).
    const std::string text = "HeaderLines: 4\n# comment\nNo colon\nColour: red\nVersion: 00.00.02\n Xsize: 9\n"
                             "Xsize: 5\n";
    ASSERT_TRUE(LoadBytes(model, text).loaded);
    EXPECT_EQ(model.Header.Xsize, 0);  // "Xsize: 5" already belongs to the entrant section
}

TEST(HeaderTest, AHeaderWhoseFirstLineIsNotHeaderLinesEndsAfterIt)
{
    ReplayModel onlyVersion;
    EXPECT_TRUE(LoadBytes(onlyVersion, "Version: 00.00.02\nXsize: 5\n").loaded);
    EXPECT_EQ(onlyVersion.Header.Xsize, 0);

    ReplayModel otherFirst;
    const LoadOutcome outcome = LoadBytes(otherFirst, "Xsize: 5\nHeaderLines: 2\nVersion: 00.00.02\n");
    EXPECT_FALSE(outcome.loaded);
    EXPECT_EQ(outcome.result.Messages, std::vector<int>{IdsNotAScript});
}

TEST(HeaderTest, HeaderLinesMayChangeWhileTheHeaderIsRead)
{
    ReplayModel model;
    // The count reaches the second HeaderLines value at its own line.
    ASSERT_TRUE(LoadBytes(model, "HeaderLines: 2000000000\nVersion: 00.00.02\nXsize: 3\nHeaderLines: 4\nYsize: 9\n").loaded);
    EXPECT_EQ(model.Header.HeaderLines, 4);
    EXPECT_EQ(model.Header.Xsize, 3);
    EXPECT_EQ(model.Header.Ysize, 0);
}

struct VersionCase {
    const char *line;
    bool accepted;
};

class VersionTest : public testing::TestWithParam<VersionCase> {};

TEST_P(VersionTest, OnlyTheExactVersionIsAccepted)
{
    ReplayModel model;
    const LoadOutcome outcome = LoadBytes(model, std::string("HeaderLines: 2\n") + GetParam().line);
    EXPECT_EQ(outcome.loaded, GetParam().accepted);
    EXPECT_EQ(outcome.result.Messages.empty(), GetParam().accepted);
}

INSTANTIATE_TEST_SUITE_P(Versions, VersionTest, testing::Values(
    VersionCase{"Version: 00.00.02\n", true},
    VersionCase{"version:00.00.02\r\n", true},
    VersionCase{"Version: \t00.00.02\n", true},
    VersionCase{"Version: 00.00.02", false},   // no line end: its own last character is dropped
    VersionCase{"Version: 00.00.02 \n", false},
    VersionCase{"Version: 00.00.01\n", false},
    VersionCase{"Version : 00.00.02\n", false},
    VersionCase{"Turn: 1\n", false}));

// --- Entrants --------------------------------------------------------------

TEST(EntrantTest, ReadsBlocksInAnyLineOrderAndMarksCompleteOnesInPlay)
{
    ReplayModel model;
    const std::string text = Header(2) + "Y: 4\nHitPoint: 1, 2,3 , 4\nemblem: AB\n# not counted\nx: 3\n"
                             "Owner: o\nDoller: a name\n" + EntrantBlock("second", "S", 7, 5);
    const LoadOutcome outcome = LoadBytes(model, text);
    ASSERT_TRUE(outcome.loaded);
    EXPECT_TRUE(outcome.result.Messages.empty());
    ASSERT_EQ(model.Entrants.size(), 2u);
    const Entrant &first = model.Entrants[0];
    EXPECT_EQ(first.Doller.View(), "a name");
    EXPECT_EQ(first.Emblem.View(), "AB");
    EXPECT_EQ(first.X, 3);
    EXPECT_EQ(first.Y, 4);
    EXPECT_EQ(std::vector<int>(first.HitPoint, first.HitPoint + 6), (std::vector<int>{1, 2, 3, 0, 0, 0}));
    EXPECT_EQ(first.HitPointRate, 100);
    EXPECT_EQ(first.Status, -1);
    EXPECT_EQ(model.Entrants[1].Status, -1);  // the last block too
    EXPECT_EQ(model.Entrants[1].Doller.View(), "second");
}

TEST(EntrantTest, AnIncompleteSectionWarnsAndTheLoadGoesOn)
{
    ReplayModel model;
    const LoadOutcome outcome = LoadBytes(model, Header(3) + EntrantBlock("a", "A", 0, 0) + "Doller: b\nX: 1\n");
    EXPECT_TRUE(outcome.loaded);
    EXPECT_EQ(outcome.result.Messages, std::vector<int>{IdsBadEntrants});
    ASSERT_EQ(model.Entrants.size(), 3u);
    EXPECT_EQ(model.Entrants[0].Status, -1);
    EXPECT_EQ(model.Entrants[1].Doller.View(), "b");
    EXPECT_EQ(model.Entrants[1].Status, 0);  // never completed: left as allocated
    EXPECT_TRUE(model.Steps.empty());
    EXPECT_TRUE(model.Battles.empty());
}

TEST(EntrantTest, EventsAfterAShortEntrantSectionAreReadAsEntrantLines)
{
    ReplayModel model;
    // Entrant 1's block swallows the event lines: "Turn" and "Move" are unknown keys there.
    const LoadOutcome outcome = LoadBytes(model, Header(2) + EntrantBlock("a", "A", 0, 0) + "Turn:\nMove: 0,1,0\n");
    EXPECT_EQ(outcome.result.Messages, std::vector<int>{IdsBadEntrants});
    EXPECT_TRUE(model.Steps.empty());
}

TEST(EntrantTest, ZeroOrNegativeEntrantLinesMakeEveryLineABlock)
{
    for (int lines : {0, -4}) {
        ReplayModel model;
        ASSERT_TRUE(LoadBytes(model, Header(3, 8, 6, lines) + "X: 1\nX: 2\nY: 3\nTurn:\nMove: 2,1,1\n").loaded);
        ASSERT_EQ(model.Entrants.size(), 3u);
        EXPECT_EQ(model.Entrants[0].X, 1);
        EXPECT_EQ(model.Entrants[1].X, 2);
        EXPECT_EQ(model.Entrants[2].Y, 3);
        EXPECT_EQ(model.Entrants[2].Status, -1);
        EXPECT_EQ(model.Steps.size(), 1u);
    }
}

TEST(EntrantTest, LongTextsAreCutAtTheirCapacity)
{
    ReplayModel model;
    const std::string longName(200, 'n');
    const std::string longEmblem(50, 'e');
    ASSERT_TRUE(LoadBytes(model, Header(1) + EntrantBlock(longName, longEmblem, 0, 0)).loaded);
    EXPECT_EQ(model.Entrants[0].Doller.View(), std::string(79, 'n'));
    EXPECT_EQ(model.Entrants[0].Emblem.View(), std::string(31, 'e'));
}

TEST(EntrantTest, ShiftJisTextStaysAsBytes)
{
    ReplayModel model;
    const std::string name = EncodeSjis(QStringLiteral("剣士タロウ"));
    ASSERT_TRUE(LoadBytes(model, Header(1) + EntrantBlock(name, EncodeSjis(QStringLiteral("剣")), 0, 0)).loaded);
    EXPECT_EQ(model.Entrants[0].Doller.View(), name);
    EXPECT_EQ(DecodeSjis(model.Entrants[0].Emblem.View()), QStringLiteral("剣"));
}

// --- Events ----------------------------------------------------------------

TEST(EventTest, AMoveStepGathersTheTurnsMovesAroundItsFights)
{
    ReplayModel fightFirst;
    ASSERT_TRUE(LoadBytes(fightFirst, Preamble(3) + "Turn:\n" + Fight(1, 0, 1) + "Move: 0,1,0\nMove: 2,0,1\nTurn:\n").loaded);
    ASSERT_EQ(fightFirst.Steps.size(), 2u);
    EXPECT_TRUE(fightFirst.Steps[0].IsFight());
    EXPECT_FALSE(fightFirst.Steps[1].IsFight());
    EXPECT_EQ(MoveAt(fightFirst, 1).Deltas.size(), 2u);
    EXPECT_EQ(fightFirst.Steps[0].Turn, 1);
    EXPECT_EQ(fightFirst.Steps[1].Turn, 1);

    ReplayModel moveFirst;
    ASSERT_TRUE(LoadBytes(moveFirst, Preamble(3) + "Turn:\nMove: 0,1,0\n" + Fight(1, 0, 1) + "Move: 2,0,1\nTurn:\nMove: 1,-1,0\n").loaded);
    ASSERT_EQ(moveFirst.Steps.size(), 3u);
    EXPECT_EQ(MoveAt(moveFirst, 0).Deltas.size(), 2u);
    EXPECT_EQ(MoveAt(moveFirst, 0).Deltas[1].EntrantIndex, 2);
    EXPECT_TRUE(moveFirst.Steps[1].IsFight());
    EXPECT_EQ(moveFirst.Steps[2].Turn, 2);
}

TEST(EventTest, TurnsAreCountedNotReadAndStepsBeforeTheFirstTurnHaveTurn0)
{
    ReplayModel model;
    ASSERT_TRUE(LoadBytes(model, Preamble(2) + "Move: 0,1,0\nTurn: 99\nTurn: x\nMove: 1,0,1\n").loaded);
    ASSERT_EQ(model.Steps.size(), 2u);
    EXPECT_EQ(model.Steps[0].Turn, 0);
    EXPECT_EQ(model.Steps[1].Turn, 2);
}

TEST(EventTest, MoveValuesAreStoredInTheirWidths)
{
    ReplayModel model;
    ASSERT_TRUE(LoadBytes(model, Preamble(2) + "Turn:\nMove: 1,-1,257\nMove: 0 ,5,5\nMove: 65537,-129,0\n").loaded);
    const std::vector<MoveDelta> &d = MoveAt(model, 0).Deltas;
    ASSERT_EQ(d.size(), 3u);
    EXPECT_EQ(d[0].Dx, -1);
    EXPECT_EQ(d[0].Dy, 1);            // 257 in 8 bits
    EXPECT_EQ(d[1].EntrantIndex, 0);  // a blank before "," leaves dx and dy missing
    EXPECT_EQ(d[1].Dx, 0);
    EXPECT_EQ(d[1].Dy, 0);
    EXPECT_EQ(d[2].EntrantIndex, 1);  // 65537 in 16 bits
    EXPECT_EQ(d[2].Dx, 127);          // -129 in 8 bits
}

TEST(EventTest, AFightRecordCollectsItsLines)
{
    ReplayModel model;
    const std::string text = Preamble(3) + "Turn:\nFight: 1,1,-5\nguide2: two words\nStatus1: 2,10,20,30,40,50,70000\n"
                             "Status2: 0,1,2,3,4,5,6\nGuide1: w\nHitPoint1: 80,1,2,3,4,5,6\nHITPOINT2: 300\n"
                             "Result: 300,1,24\n";
    ASSERT_TRUE(LoadBytes(model, text).loaded);
    const FightRecord &f = FightAt(model, 0);
    EXPECT_EQ(f.BattleNo, 1);
    EXPECT_EQ(f.LeadSide, 1);
    EXPECT_EQ(f.Distance, -5);
    EXPECT_EQ(f.Side[0].EntrantIndex, 2);
    EXPECT_EQ(f.Side[0].StatusRest[0], 10);
    EXPECT_EQ(f.Side[0].StatusRest[5], int16_t(70000));
    EXPECT_EQ(f.Side[0].Guide.View(), "w");
    EXPECT_EQ(f.Side[1].Guide.View(), "two");
    EXPECT_EQ(f.Side[0].RateBefore, 100);
    EXPECT_EQ(f.Side[0].RateAfter, 80);
    EXPECT_EQ(f.Side[1].RateAfter, int8_t(300));
    EXPECT_EQ(f.ResultInfo, int8_t(300));
    EXPECT_EQ(f.ResultCode, 1);
    EXPECT_EQ(f.OutStatus, 24);
    const BattleEntry &b = model.Battles.at(0);
    EXPECT_EQ(b.ResultInfo, 300);  // the battle keeps 32 bits
    EXPECT_EQ(b.Player1, 2);
    EXPECT_EQ(b.Player2, 0);
}

TEST(EventTest, AFightWithoutItsOwnLinesHoldsTheDefaults)
{
    ReplayModel model;
    ASSERT_TRUE(LoadBytes(model, Preamble(2) + "Turn:\n" + Fight(1, 0, 1) + "HitPoint1: 40\n" + Fight(1, 0, 1)).loaded);
    const FightRecord &second = FightAt(model, 1);
    EXPECT_EQ(second.ResultCode, -1);
    EXPECT_EQ(second.ResultInfo, 0);
    EXPECT_EQ(second.OutStatus, 0);
    EXPECT_EQ(second.Side[0].Guide.View(), "");
    // No HitPoint line: the rate stays what was tracked when the Status line named the player.
    EXPECT_EQ(second.Side[0].RateBefore, 40);
    EXPECT_EQ(second.Side[0].RateAfter, 40);
    EXPECT_EQ(second.Side[1].RateBefore, 100);
    EXPECT_EQ(second.Side[1].RateAfter, 100);
    const BattleEntry &b = model.Battles.at(0);
    EXPECT_EQ(b.ResultCode, -1);
    EXPECT_EQ(b.ResultInfo, 0);
    EXPECT_EQ(b.OutStatus, 0);
}

TEST(EventTest, HitPointRatesAreTrackedAcrossFights)
{
    ReplayModel model;
    const std::string text = Preamble(3) + "Turn:\n" + Fight(1, 0, 1) + "HitPoint1: 90\nHitPoint2: 70\nResult: 0,-1,0\n"
                             + Fight(2, 1, 2) + "HitPoint1: 55\nHitPoint2: 60\n";
    ASSERT_TRUE(LoadBytes(model, text).loaded);
    EXPECT_EQ(FightAt(model, 0).Side[0].RateBefore, 100);
    EXPECT_EQ(FightAt(model, 0).Side[1].RateBefore, 100);
    EXPECT_EQ(FightAt(model, 1).Side[0].RateBefore, 70);  // entrant 1 was at 70 after the first fight
    EXPECT_EQ(FightAt(model, 1).Side[0].RateAfter, 55);
    EXPECT_EQ(FightAt(model, 1).Side[1].RateBefore, 100);
}

TEST(EventTest, ABattleOverSeveralFightsHasOneEntryFromItsFirstFight)
{
    ReplayModel model;
    const std::string text = Preamble(4) + "Turn:\n" + Fight(1, 0, 1) + Fight(1, 3, 2) + "Turn:\nMove: 0,1,0\n" + Fight(2, 2, 3)
                             + "Turn:\n" + Fight(1, 0, 1) + "Result: 5,0,8\n";
    ASSERT_TRUE(LoadBytes(model, text).loaded);
    ASSERT_EQ(model.Battles.size(), 2u);
    const BattleEntry &first = model.Battles[0];
    EXPECT_EQ(first.StartTurn, 1);
    EXPECT_EQ(first.StartPosition, 1);
    EXPECT_EQ(first.EndTurn, 3);
    EXPECT_EQ(first.EndPosition, 5);
    EXPECT_EQ(first.Player1, 0);  // the players of its first Status lines
    EXPECT_EQ(first.Player2, 1);
    EXPECT_EQ(model.Battles[1].StartPosition, 4);
    EXPECT_EQ(model.Battles[1].StartTurn, 2);
}

TEST(EventTest, TwoFightsOfBattle1ThenBattle2)
{
    ReplayModel model;
    ASSERT_TRUE(LoadBytes(model, Preamble(3) + "Turn:\n" + Fight(1, 0, 1) + Fight(1, 0, 1) + Fight(2, 1, 2)).loaded);
    EXPECT_EQ(model.Steps.size(), 3u);
    ASSERT_EQ(model.Battles.size(), 2u);
    EXPECT_EQ(model.Battles[1].StartPosition, 3);
}

TEST(EventTest, ABattleWithoutResultStaysUnfinished)
{
    ReplayModel model;
    ASSERT_TRUE(LoadBytes(model, Preamble(2) + "Turn:\nTurn:\n" + Fight(1, 0, 1) + "Turn:\nMove: 0,1,0\n").loaded);
    const BattleEntry &b = model.Battles.at(0);
    EXPECT_EQ(b.EndTurn, b.StartTurn);
    EXPECT_EQ(b.EndPosition, b.StartPosition);
    EXPECT_EQ(b.ResultCode, -1);
}

TEST(EventTest, EndStopsTheEventsAndAFileWithoutItIsReadToItsEnd)
{
    ReplayModel withEnd;
    ASSERT_TRUE(LoadBytes(withEnd, Preamble(2) + "Turn:\nMove: 0,1,0\nEnd:\nTurn:\nMove: 1,1,0\n").loaded);
    EXPECT_EQ(withEnd.Steps.size(), 1u);

    ReplayModel endWithoutLineEnd;
    ASSERT_TRUE(LoadBytes(endWithoutLineEnd, Preamble(2) + "Turn:\nMove: 0,1,0\nEND:").loaded);
    EXPECT_EQ(endWithoutLineEnd.Steps.size(), 1u);

    ReplayModel endWithoutColon;
    ASSERT_TRUE(LoadBytes(endWithoutColon, Preamble(2) + "Turn:\nMove: 0,1,0\nEnd\nTurn:\nMove: 1,1,0").loaded);
    EXPECT_EQ(endWithoutColon.Steps.size(), 2u);
}

// --- Win counts ------------------------------------------------------------

TEST(WinCountTest, PlayersCarryTheWinsTheyHadBeforeTheBattle)
{
    ReplayModel model;
    const std::string text = Preamble(4) + "Turn:\n"
        + Fight(1, 0, 1) + "Result: 0,1,8\n"       // entrant 1 wins as player 2
        + Fight(2, 1, 2) + "Result: 0,0,8\n"       // entrant 1 wins as player 1
        + Fight(3, 3, 1) + "Result: 0,2,8\n"       // both out: nobody wins
        + Fight(4, 1, 0);
    ASSERT_TRUE(LoadBytes(model, text).loaded);
    EXPECT_EQ(model.Battles[0].Player1Wins, 0);
    EXPECT_EQ(model.Battles[0].Player2Wins, 0);
    EXPECT_EQ(model.Battles[1].Player1Wins, 1);
    EXPECT_EQ(model.Battles[2].Player2Wins, 2);
    EXPECT_EQ(model.Battles[3].Player1Wins, 2);
    EXPECT_EQ(model.Battles[3].Player2Wins, 0);
}

TEST(WinCountTest, OnlyCodes0And1OfThe32BitResultCount)
{
    ReplayModel model;
    const std::string text = Preamble(2) + "Turn:\n" + Fight(1, 0, 1) + "Result: 0,256,8\n" + Fight(2, 0, 1) + "Result: 0,-1,8\n"
                             + Fight(3, 0, 1);
    ASSERT_TRUE(LoadBytes(model, text).loaded);
    EXPECT_EQ(model.Battles[0].ResultCode, 256);
    EXPECT_EQ(FightAt(model, 0).ResultCode, 0);  // the step keeps 8 bits
    EXPECT_EQ(model.Battles[2].Player1Wins, 0);
}

TEST(WinCountTest, ALaterResultOfAnEarlierBattleReplacesItsOutcome)
{
    ReplayModel model;
    const std::string text = Preamble(3) + "Turn:\n" + Fight(1, 0, 1) + "Result: 0,0,8\n" + Fight(1, 0, 1) + "Result: 0,1,8\n"
                             + Fight(2, 0, 2) + Fight(3, 2, 1);
    ASSERT_TRUE(LoadBytes(model, text).loaded);
    EXPECT_EQ(model.Battles[0].ResultCode, 1);
    EXPECT_EQ(model.Battles[1].Player1Wins, 0);
    EXPECT_EQ(model.Battles[2].Player2Wins, 1);
}

TEST(WinCountTest, AResultBeforeTheStatusLinesCountsForThePlayerNamedLater)
{
    ReplayModel model;
    const std::string text = Preamble(2) + "Turn:\nFight: 1,0,0\nResult: 0,0,8\nStatus1: 0\nStatus2: 1\n";
    ASSERT_TRUE(LoadBytes(model, text).loaded);
    // The battle counts itself once its player 1 is named.
    EXPECT_EQ(model.Battles[0].Player1Wins, 1);
}

// --- Outcomes --------------------------------------------------------------

TEST(OutcomeTest, AFileThatCannotBeOpenedIsNotOpened)
{
    QTemporaryDir dir;
    for (const QString &path : {QString(), dir.filePath("missing.ostrelScript"), dir.path()}) {
        EXPECT_FALSE(OpenScriptFile(path)) << path.toStdString();
    }
}

TEST(OutcomeTest, ARefusedFileResetsButKeepsThePreviousTournament)
{
    ReplayModel model;
    ASSERT_TRUE(LoadBytes(model, Preamble(2) + "Turn:\nMove: 0,1,0\n").loaded);
    const LoadOutcome refused = LoadBytes(model, "HeaderLines: 2\nVersion: 00.00.03\n");
    EXPECT_FALSE(refused.loaded);
    EXPECT_EQ(refused.result.Messages, std::vector<int>{IdsNotAScript});
    EXPECT_FALSE(refused.result.ModelReplaced);
    EXPECT_EQ(model.Entrants.size(), 2u);
    EXPECT_EQ(model.Steps.size(), 1u);
    EXPECT_EQ(model.Header.Version.View(), "00.00.02");
}

TEST(OutcomeTest, ANewModelReplacesTheOldOnlyAfterItsHeaderIsAccepted)
{
    ReplayModel model;
    ASSERT_TRUE(LoadBytes(model, Preamble(2) + "Turn:\n" + Fight(1, 0, 1)).loaded);
    const LoadOutcome second = LoadBytes(model, Preamble(1));
    EXPECT_TRUE(second.loaded);
    EXPECT_TRUE(second.result.ModelReplaced);
    EXPECT_EQ(model.Entrants.size(), 1u);
    EXPECT_TRUE(model.Steps.empty());
    EXPECT_TRUE(model.Battles.empty());
}

// Another thread may read the header and the entrants from the moment the
// loader says they are complete: they must be final, and no event read yet.
TEST(OutcomeTest, TheEntrantsAreAnnouncedOnceCompleteBeforeAnyEvent)
{
    const std::string events = "Turn:\nMove: 0,1,0\n" + Fight(1, 0, 1);
    for (const auto &[bytes, calls] : std::vector<std::pair<std::string, int>>{
             {Preamble(3) + events, 1},
             {Header(3) + EntrantBlock("P0", "E0", 0, 0) + events, 1},  // short: events read as entrant lines
             {"HeaderLines: 2\nVersion: 00.00.03\n", 0}}) {
        ReplayModel model;
        int called = 0;
        std::vector<std::string> emblems;
        std::size_t steps = 0;
        LoadBytes(model, bytes, [&] {
            ++called;
            emblems.clear();
            for (const Entrant &entrant : model.Entrants)
                emblems.emplace_back(entrant.Emblem.View());
            steps += model.Steps.size();
        });
        EXPECT_EQ(called, calls);
        EXPECT_EQ(steps, 0u);
        ASSERT_EQ(emblems.size(), called ? model.Entrants.size() : 0u);
        for (std::size_t i = 0; i < emblems.size(); ++i)
            EXPECT_EQ(emblems[i], model.Entrants[i].Emblem.View());
    }
}

struct LimitCase {
    int entrants;
    int xsize;
    int ysize;
    bool accepted;
};

class LimitTest : public testing::TestWithParam<LimitCase> {};

// Sizes the map or the entrant table cannot hold are refused with a message,
// and the tournament already loaded stays.
TEST_P(LimitTest, AbsurdSizesAreRefused)
{
    const LimitCase &c = GetParam();
    ReplayModel model;
    ASSERT_TRUE(LoadBytes(model, Preamble(1)).loaded);
    const LoadOutcome outcome = LoadBytes(model, Header(c.entrants, c.xsize, c.ysize) + "End:\n");
    EXPECT_EQ(outcome.loaded, c.accepted);
    if (c.accepted) {
        EXPECT_TRUE(outcome.result.Messages.empty() || outcome.result.Messages == std::vector<int>{IdsBadEntrants});
    } else {
        EXPECT_EQ(outcome.result.Messages, std::vector<int>{IdsTooLarge});
        EXPECT_EQ(model.Entrants.size(), 1u);
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, LimitTest, testing::Values(
    LimitCase{2000000000, 8, 6, false},
    LimitCase{100001, 8, 6, false},
    LimitCase{100000, 8, 6, true},
    LimitCase{3, -1, 6, false},
    LimitCase{3, 8, -2, false},
    LimitCase{3, 1001, 1, false},
    LimitCase{3, 500, 500, false},
    LimitCase{3, 400, 500, true},
    LimitCase{3, 0, 0, true},
    LimitCase{0, 8, 6, true},
    LimitCase{-5, 8, 6, true}));

// --- Files that break the model's rules --------------------------------------

TEST(BrokenFileTest, NonPositiveEntrantCountsGiveAnEmptyTableAndTheEventsAreRead)
{
    for (int count : {0, -3}) {
        ReplayModel model;
        const LoadOutcome outcome = LoadBytes(model, Header(count) + "Turn:\nMove: 0,1,1\n");
        EXPECT_TRUE(outcome.loaded);
        EXPECT_TRUE(outcome.result.Messages.empty());
        EXPECT_TRUE(model.Entrants.empty());
        EXPECT_EQ(model.Steps.size(), 1u);
    }
}

TEST(BrokenFileTest, AHeaderAnnouncingBillionsOfEventsReservesNoMoreThanTheFileHolds)
{
    std::string text = Header(2);
    for (const std::string key : {"MoveLines", "FightLines"})
        text.replace(text.find(key + ": 0"), key.size() + 3, key + ": 2000000000");
    text += EntrantBlock("a", "A", 0, 0) + EntrantBlock("b", "B", 1, 0) + "Turn:\nMove: 0,1,0\n" + Fight(1, 0, 1);
    ReplayModel model;
    ASSERT_TRUE(LoadBytes(model, text).loaded);
    EXPECT_EQ(model.Steps.size(), 2u);
    EXPECT_LE(model.Steps.capacity(), text.size());
    EXPECT_LE(model.Battles.capacity(), text.size());
}

TEST(BrokenFileTest, FightsWithImpossibleBattleNumbersArePassedOverWithTheirLines)
{
    ReplayModel model;
    const std::string text = Preamble(3) + "Turn:\nStatus1: 1\nResult: 0,0,8\nHitPoint1: 5\nGuide1: g\n"
                             + Fight(0, 0, 1) + "Result: 0,0,8\n" + Fight(-3, 0, 1) + Fight(3, 0, 1) + "HitPoint2: 9\n"
                             + Fight(1, 0, 1) + Fight(3, 0, 1) + Fight(2, 1, 2) + "Result: 0,1,16\n";
    ASSERT_TRUE(LoadBytes(model, text).loaded);
    ASSERT_EQ(model.Steps.size(), 2u);
    EXPECT_EQ(FightAt(model, 0).BattleNo, 1);
    EXPECT_EQ(FightAt(model, 0).ResultCode, -1);
    EXPECT_EQ(FightAt(model, 1).BattleNo, 2);
    ASSERT_EQ(model.Battles.size(), 2u);
    EXPECT_EQ(model.Battles[1].ResultCode, 1);
    EXPECT_EQ(model.Battles[1].StartPosition, 2);
}

TEST(BrokenFileTest, EntrantIndicesOutsideTheTableAreKeptAndTrackNothing)
{
    ReplayModel model;
    const std::string text = Preamble(2) + "Turn:\nMove: 7,1,0\nMove: -2,0,1\n" + Fight(1, 9, -1)
                             + "HitPoint1: 30\nHitPoint2: 40\n" + Fight(1, 9, 0) + "HitPoint1: 20\n";
    ASSERT_TRUE(LoadBytes(model, text).loaded);
    EXPECT_EQ(MoveAt(model, 0).Deltas[0].EntrantIndex, 7);
    EXPECT_EQ(MoveAt(model, 0).Deltas[1].EntrantIndex, -2);
    EXPECT_EQ(model.Battles[0].Player1, 9);
    // An entrant outside the table has no tracked rate: it reads 100.
    EXPECT_EQ(FightAt(model, 2).Side[0].RateBefore, 100);
    EXPECT_EQ(FightAt(model, 2).Side[0].RateAfter, 20);
}

TEST(BrokenFileTest, MoreMovesInATurnThanEntrantsInPlayAreAllKept)
{
    ReplayModel model;
    std::string text = Preamble(2) + "Turn:\n";
    for (int i = 0; i < 50; ++i)
        text += "Move: 0,1,0\n";
    ASSERT_TRUE(LoadBytes(model, text).loaded);
    EXPECT_EQ(MoveAt(model, 0).Deltas.size(), 50u);
}

TEST(BrokenFileTest, AHitPointLineBeforeItsStatusLineUsesNoEntrant)
{
    ReplayModel model;
    ASSERT_TRUE(LoadBytes(model, Preamble(2) + "Turn:\nFight: 1,0,0\nHitPoint1: 33\nStatus1: 0\nStatus2: 1\n"
                                  + Fight(2, 0, 1)).loaded);
    EXPECT_EQ(FightAt(model, 0).Side[0].EntrantIndex, 0);
    EXPECT_EQ(FightAt(model, 0).Side[0].RateAfter, 100);  // the Status line came later and reset it
    EXPECT_EQ(FightAt(model, 1).Side[0].RateBefore, 100);  // entrant 0's track was never touched
}

} // namespace
