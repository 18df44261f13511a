#pragma once

#include "scriptloader.h"

#include "arenaoccupancy.h"
#include "battleplan.h"
#include "namebook.h"
#include "scriptwriter.h"
#include "seededrandom.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>
#include <vector>

namespace ostrel {

// What to generate. The defaults make a small tournament to try the viewer on.
struct TournamentOptions {
    std::uint64_t Seed = 1;
    int Entrants = 30;
    int Width = 12;   // columns of the arena
    int Height = 10;  // rows of the arena
    int MaxTurns = 1000;
    bool CrLf = false;  // CR LF line ends instead of LF
};

// Simulates a battle royale and writes it as a script file, in Shift-JIS.
// The same options always give the same bytes.
//
// The file keeps every promise a loaded tournament relies on: each index
// names an entrant; battles are numbered 1, 2, 3... in the order in which
// they begin; entrants start in distinct cells and every move keeps its
// entrant inside the arena; a turn moves an entrant at most once; entrants
// that are out neither move nor fight again; and the header counts the Move
// and Fight lines written. Two entrants in play that stand in neighbouring
// cells fight a battle of one or more fight steps over one or more turns.
// The events end once one entrant is left in play, or after MaxTurns turns
// with the battles still running then left without a result.
class TournamentGenerator {
public:
    static constexpr int MaxEntrants = 32767;  // entrant indices and battle numbers are 16-bit
    static constexpr int MaxSide = ScriptLimits::MaxArenaSide;
    static constexpr int MaxTurnCount = 32767;  // turn numbers are 16-bit

    // Why options cannot be used, in words for the user; empty when they can.
    static QString CheckOptions(const TournamentOptions &options);

    // The whole script file; empty when CheckOptions finds fault.
    static QByteArray Generate(const TournamentOptions &options);

private:
    struct Contender {
        int X = 0;
        int Y = 0;
        int Rate = 100;  // hit points in percent
        std::array<int, 6> HitPoint{};
        std::array<int, 6> Stats{};
        bool InPlay = true;
        bool Fighting = false;
    };

    struct RunningBattle {
        int Number = 0;
        std::array<int, 2> Players{};
        BattlePlan Plan;
        int StepsDone = 0;
    };

    explicit TournamentGenerator(const TournamentOptions &options);

    QByteArray Run();
    void AddEntrants();
    void PlayTurn(int turn);
    void MoveEntrants(int turn);
    bool TryStep(int entrant, int direction, int zoneRadius);
    void StartBattles();
    void BeginBattle(int player1, int player2);
    void FightBattles();
    void WriteFightStep(RunningBattle &battle);
    void EndBattle(const RunningBattle &battle);
    QByteArray Header() const;

    TournamentOptions options_;
    SeededRandom random_;
    NameBook names_;
    ArenaOccupancy arena_;
    ScriptWriter entrantLines_;
    ScriptWriter eventLines_;
    std::vector<Contender> contenders_;
    std::vector<int> inPlay_;  // indices of the entrants in play, rising
    std::vector<RunningBattle> running_;
    int centerX_ = 0;
    int centerY_ = 0;
    int startRadius_ = 0;
    int battleCount_ = 0;
    int pendingOuts_ = 0;  // entrants that the running battles will take out
    int moveLines_ = 0;
    int fightLines_ = 0;
};

} // namespace ostrel
