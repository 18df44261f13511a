#pragma once

// Test tournaments for the replay engine, the digest and the battle list,
// built as records (ModelBuilder) rather than script text, and an engine
// over a model and its map (EngineRig). Script text, entrants and loading
// come from the shared kit.

#include "entrants.h"
#include "scripttext.h"
#include "sessiontestkit.h"

#include "arenagrid.h"
#include "mappainter.h"
#include "replaymodel.h"
#include "stepengine.h"

#include <set>
#include <string>
#include <vector>

namespace ostrel {

// One player of a fight step; the guide is UTF-8.
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

} // namespace ostrel
