#pragma once

// Test tournaments for the replay engine, the digest and the battle list:
// built as records (ModelBuilder) or as script text (ScriptBuilder) that goes
// through the loader, and an engine wired to a view that records what the
// engine asks of the window (EngineRig).

#include "arenagrid.h"
#include "mappainter.h"
#include "headlessviewer.h"
#include "replaymodel.h"
#include "replayview.h"
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
bool OpenScript(HeadlessViewer &viewer, const std::string &script);
// A new headless viewer that has opened script text.
std::unique_ptr<HeadlessViewer> OpenViewer(const std::string &script);

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

// The step engine over a model and its map, with the window replaced by a
// record of the engine's requests. The slider's change handler seeks, as in
// the window.
class EngineRig : public ReplayView {
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
    StepEngine engine{model, grid, *this};

    std::vector<std::string> digest;
    std::vector<std::string> calls;  // the view requests, in order
    int refreshes = 0;
    int slider = 0;
    const ReplayStep *lastReference = nullptr;
    int positionSeenByRefresh = -1;  // CurrentPosition while the list refreshes

    void ClearDigest() override;
    void AppendDigestLine(std::string_view line) override;
    void PresentMap() override;
    void RepaintMapNow() override;
    void RefreshBattleList(int position, const ReplayStep *reference) override;
    void ClearBattleList() override;
    void StopPlaying() override;
    void SetSliderPosition(int position) override;
    int SliderMax() const override { return StepCount() + 1; }
};
