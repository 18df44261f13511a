#pragma once

// Test tournaments for the replay engine, the digest and the battle list:
// built as records (ModelBuilder) or as script text (ScriptBuilder) that goes
// through the loader, an engine over a model and its map (EngineRig), and a
// replay session that has opened script text.

#include "arenagrid.h"
#include "mappainter.h"
#include "replaymodel.h"
#include "replaysession.h"
#include "stepengine.h"

#include <QString>

#include <memory>
#include <ostream>
#include <set>
#include <string>
#include <vector>

// Shift-JIS bytes of UTF-8 source text.
std::string Sjis(const char *utf8);

// An entrant as loaded: in play, at the given rate.
Entrant MakeEntrant(const char *emblem, int x, int y, int rate = 100, const char *name = "Name",
                    const char *owner = "Owner");

// One player of a fight step.
struct Fighter {
    int Entrant = -1;
    int RateBefore = 100;
    int RateAfter = 100;
    const char *Guide = "guide";
};

// A fight step; by default nobody goes out.
struct FightSetup {
    int Turn = 1;
    int Battle = 1;
    Fighter Player1;
    Fighter Player2;
    int ResultCode = -1;
    int OutStatus = 0;
    int LeadSide = 0;
    int Distance = 1;
};

// A tournament as records, step by step.
class ModelBuilder {
public:
    ModelBuilder(int columns, int rows);
    ModelBuilder &Add(Entrant entrant);
    ModelBuilder &Move(int turn, std::vector<MoveDelta> deltas);
    ModelBuilder &Fight(const FightSetup &fight);
    ModelBuilder &Battle(const BattleEntry &battle);
    ReplayModel Build();

private:
    ReplayModel model_;
};

// The text of a script file; entrant texts are given as UTF-8 and written as
// Shift-JIS.
class ScriptBuilder {
public:
    ScriptBuilder(int columns, int rows);
    ScriptBuilder &Entrant(const char *emblem, int x, int y, const char *name = "Name", const char *owner = "Owner");
    ScriptBuilder &Turn();
    ScriptBuilder &Move(int entrant, int dx, int dy);
    ScriptBuilder &Fight(int battle, int leadSide = 0, int distance = 1);
    // The Status, Guide and HitPoint lines of one player of the latest fight.
    ScriptBuilder &Player(int side, int entrant, int rateAfter, const char *guide = "guide");
    ScriptBuilder &Result(int code, int outStatus);
    std::string Text() const;

private:
    int columns_;
    int rows_;
    std::vector<std::string> entrantBlocks_;
    std::string events_;
};

// A tournament of random moves and fights that keeps to the game's rules:
// entrants stay inside the arena, never share a cell and never enter a cell
// that another left in the same turn; only entrants in play move and fight.
std::string RandomTournament(unsigned seed);

// Turn 1: a move. Turns 2 and 3: battle 1 of entrant 0 against entrant 1,
// which player 2 wins; a move. Turns 4 to 6: battle 2 of entrant 1 against
// entrant 2 over two fights with a move between them; player 1 wins. Seven
// steps: move, fight, fight, move, fight, move, fight.
std::string TwoBattles();

// The model that the loader reads from script text.
ReplayModel LoadModel(const std::string &script);
// What the Open button does with script text; the loader's result.
LoadResult OpenScript(ReplaySession &session, const std::string &script);
// A new session that has opened script text without a message.
std::unique_ptr<ReplaySession> OpenSession(const std::string &script);

// The four fields of an entrant that follow the replay position.
struct EntrantState {
    int32_t X = 0;
    int32_t Y = 0;
    int32_t HitPointRate = 0;
    int32_t Status = 0;
    bool operator==(const EntrantState &) const = default;
};
std::ostream &operator<<(std::ostream &out, const EntrantState &state);
std::vector<EntrantState> StatesOf(const std::vector<Entrant> &entrants);

// The step engine over a model and its map.
class EngineRig {
public:
    explicit EngineRig(ReplayModel tournament);
    EngineRig(EngineRig &&) = delete;

    int StepCount() const { return int(model.Steps.size()); }
    // The colour just inside the top-left corner of the entrant's cell: the
    // cell's fill, which the label never covers.
    QRgb FillOf(int entrant) const;
    std::set<QRgb> ColoursOfCell(int entrant) const;

    ReplayModel model;
    ArenaGrid grid;
    // The map as it now stands.
    QImage Map() const { return RenderMap(grid); }
    StepEngine engine{model, grid};
    const std::vector<std::string> &digest = engine.Digest();
};
