#include "replaytestkit.h"

#include "mappixels.h"
#include "scriptloader.h"
#include "sjisdecoder.h"

#include <QTemporaryFile>

#include <gtest/gtest.h>

#include <random>
#include <stdexcept>
#include <utility>

std::string Sjis(const char *utf8)
{
    return EncodeSjis(QString::fromUtf8(utf8));
}

Entrant MakeEntrant(const char *emblem, int x, int y, int rate, const char *name, const char *owner)
{
    Entrant entrant;
    entrant.Emblem.Assign(Sjis(emblem));
    entrant.Doller.Assign(Sjis(name));
    entrant.Owner.Assign(Sjis(owner));
    entrant.X = x;
    entrant.Y = y;
    entrant.HitPointRate = rate;
    entrant.Status = -1;
    return entrant;
}

// ------------------------------------------------------------ ModelBuilder

ModelBuilder::ModelBuilder(int columns, int rows)
{
    model_.Header.Xsize = columns;
    model_.Header.Ysize = rows;
}

ModelBuilder &ModelBuilder::Add(Entrant entrant)
{
    model_.Entrants.push_back(std::move(entrant));
    model_.Header.EntrantCount = int(model_.Entrants.size());
    return *this;
}

ModelBuilder &ModelBuilder::Move(int turn, std::vector<MoveDelta> deltas)
{
    ReplayStep step;
    step.Turn = int16_t(turn);
    step.Kind = MoveStepKind;
    step.Move = std::make_unique<MoveStep>();
    step.Move->Deltas = std::move(deltas);
    model_.Steps.push_back(std::move(step));
    return *this;
}

namespace {

FightSide SideOf(const Fighter &fighter)
{
    FightSide side;
    side.EntrantIndex = int16_t(fighter.Entrant);
    side.RateBefore = int8_t(fighter.RateBefore);
    side.RateAfter = int8_t(fighter.RateAfter);
    side.Guide.Assign(Sjis(fighter.Guide));
    return side;
}

} // namespace

ModelBuilder &ModelBuilder::Battle(const BattleEntry &battle)
{
    model_.Battles.push_back(battle);
    return *this;
}

ModelBuilder &ModelBuilder::Fight(const FightSetup &fight)
{
    ReplayStep step;
    step.Turn = int16_t(fight.Turn);
    step.Kind = FightStepKind;
    step.Fight = &model_.FightRecords.Add();
    FightRecord &record = *step.Fight;
    record.BattleNo = int16_t(fight.Battle);
    record.LeadSide = int8_t(fight.LeadSide);
    record.Distance = int8_t(fight.Distance);
    record.Side[0] = SideOf(fight.Player1);
    record.Side[1] = SideOf(fight.Player2);
    record.ResultCode = int8_t(fight.ResultCode);
    record.OutStatus = int8_t(fight.OutStatus);
    model_.Steps.push_back(std::move(step));
    return *this;
}

ReplayModel ModelBuilder::Build()
{
    return std::move(model_);
}

// ----------------------------------------------------------- ScriptBuilder

ScriptBuilder::ScriptBuilder(int columns, int rows) : columns_(columns), rows_(rows) {}

ScriptBuilder &ScriptBuilder::Entrant(const char *emblem, int x, int y, const char *name, const char *owner)
{
    entrantBlocks_.push_back("Doller: " + Sjis(name) + "\nOwner: " + Sjis(owner) + "\nEmblem: " + Sjis(emblem)
                             + "\nX: " + std::to_string(x) + "\nY: " + std::to_string(y)
                             + "\nHitPoint: 100,100,100,100,100,100\n");
    return *this;
}

ScriptBuilder &ScriptBuilder::Turn()
{
    events_ += "Turn: 0\n";
    return *this;
}

ScriptBuilder &ScriptBuilder::Move(int entrant, int dx, int dy)
{
    events_ += "Move: " + std::to_string(entrant) + "," + std::to_string(dx) + "," + std::to_string(dy) + "\n";
    return *this;
}

ScriptBuilder &ScriptBuilder::Fight(int battle, int leadSide, int distance)
{
    events_ += "Fight: " + std::to_string(battle) + "," + std::to_string(leadSide) + "," + std::to_string(distance) + "\n";
    return *this;
}

ScriptBuilder &ScriptBuilder::Player(int side, int entrant, int rateAfter, const char *guide)
{
    const std::string n = std::to_string(side + 1);
    events_ += "Status" + n + ": " + std::to_string(entrant) + ",0,0,0,0,0,0\n";
    events_ += "Guide" + n + ": " + Sjis(guide) + "\n";
    events_ += "HitPoint" + n + ": " + std::to_string(rateAfter) + ",0,0,0,0,0,0\n";
    return *this;
}

ScriptBuilder &ScriptBuilder::Result(int code, int outStatus)
{
    events_ += "Result: 0," + std::to_string(code) + "," + std::to_string(outStatus) + "\n";
    return *this;
}

std::string ScriptBuilder::Text() const
{
    std::string text = "HeaderLines: 13\nFileName: test.ostrelScript\nVersion: 00.00.02\nProgramVersion: 1\n"
                       "DateTime: 2000/01/01 00:00\nTorvex: test\nStadium: test\n";
    text += "Xsize: " + std::to_string(columns_) + "\nYsize: " + std::to_string(rows_) + "\n";
    text += "Entrant: " + std::to_string(entrantBlocks_.size()) + "\nEntrantLines: 6\nMoveLines: 1\nFightLines: 9\n";
    for (const std::string &block : entrantBlocks_)
        text += block;
    return text + events_ + "End:\n";
}

// -------------------------------------------------------- RandomTournament

std::string RandomTournament(unsigned seed)
{
    constexpr int Columns = 6;
    constexpr int Rows = 5;
    constexpr int Entrants = 6;
    constexpr int Turns = 12;
    std::mt19937 random(seed);
    const auto below = [&random](int n) { return int(random() % unsigned(n)); };

    ScriptBuilder script(Columns, Rows);
    std::set<std::pair<int, int>> taken;
    std::vector<std::pair<int, int>> cells;
    const char *const emblems[Entrants] = {"Ab", "Cd", "Ef", "Gh", "Ij", "Kl"};
    while (int(cells.size()) < Entrants) {
        const std::pair<int, int> cell{below(Columns), below(Rows)};
        if (taken.insert(cell).second) {
            script.Entrant(emblems[cells.size()], cell.first, cell.second);
            cells.push_back(cell);
        }
    }
    std::vector<bool> inPlay(Entrants, true);
    std::vector<int> rates(Entrants, 100);
    int battles = 0;

    const auto moves = [&] {
        std::set<std::pair<int, int>> left;
        for (int e = 0; e < Entrants; ++e) {
            const int dx = below(3) - 1;
            const int dy = below(3) - 1;
            const std::pair<int, int> to{cells[e].first + dx, cells[e].second + dy};
            const bool inside = to.first >= 0 && to.first < Columns && to.second >= 0 && to.second < Rows;
            if (!inPlay[e] || (dx == 0 && dy == 0) || !inside || taken.count(to) || left.count(to))
                continue;
            taken.erase(cells[e]);
            left.insert(cells[e]);
            taken.insert(to);
            cells[e] = to;
            script.Move(e, dx, dy);
        }
    };
    const auto fight = [&] {
        std::vector<int> players;
        for (int e = 0; e < Entrants; ++e)
            if (inPlay[e])
                players.push_back(e);
        if (players.size() < 2)
            return;
        const int a = players[std::size_t(below(int(players.size())))];
        int b = a;
        while (b == a)
            b = players[std::size_t(below(int(players.size())))];
        ++battles;
        for (int fightSteps = 1 + below(2); fightSteps > 0; --fightSteps) {
            script.Fight(battles, below(2), below(6));
            rates[a] = below(rates[a] + 1);
            rates[b] = below(rates[b] + 1);
            script.Player(0, a, rates[a]).Player(1, b, rates[b]);
        }
        const int codes[] = {-1, 0, 1, 2};
        const int outStatuses[] = {0, 4, 8, 16, 32};
        const int code = codes[below(4)];
        script.Result(code, outStatuses[below(5)]);
        if (code == 1 || code == 2)
            inPlay[a] = false;
        if (code == 0 || code == 2)
            inPlay[b] = false;
    };

    for (int turn = 0; turn < Turns; ++turn) {
        script.Turn();
        const bool fightFirst = below(2) == 0;
        if (fightFirst && below(2) == 0)
            fight();
        moves();
        if (!fightFirst && below(2) == 0)
            fight();
    }
    return script.Text();
}

std::string TwoBattles()
{
    return ScriptBuilder(4, 4)
        .Entrant("竜", 0, 0, "Ryu").Entrant("AB", 2, 0, "Bob").Entrant("CD", 0, 2, "Cid")
        .Turn().Move(0, 1, 0)
        .Turn().Fight(1).Player(0, 0, 70).Player(1, 1, 90)
        .Turn().Fight(1).Player(0, 0, 0).Player(1, 1, 80).Result(1, 8).Move(2, 1, 0)
        .Turn().Fight(2).Player(0, 1, 60).Player(1, 2, 50)
        .Turn().Move(2, 0, 1)
        .Turn().Fight(2, 1).Player(0, 1, 55).Player(1, 2, 0).Result(0, 16)
        .Text();
}

// ------------------------------------------------------------------ loading

namespace {

// A script file that lives as long as the object.
class ScriptText {
public:
    explicit ScriptText(const std::string &script)
    {
        if (!file_.open() || file_.write(script.data(), qint64(script.size())) != qint64(script.size()))
            throw std::runtime_error("cannot write the test script");
        file_.close();
    }
    QString Path() const { return file_.fileName(); }

private:
    QTemporaryFile file_;
};

} // namespace

ReplayModel LoadModel(const std::string &script)
{
    const ScriptText text(script);
    const ScriptFile file = OpenScriptFile(text.Path());
    ReplayModel model;
    const LoadResult result = ScriptLoader(model).Read(file.get());
    EXPECT_TRUE(result.Succeeded());
    // A message means the test's script is broken.
    EXPECT_TRUE(result.messages.empty());
    return model;
}

LoadResult OpenScript(ReplaySession &session, const std::string &script)
{
    const ScriptText text(script);
    return session.OpenScript(text.Path());
}

std::unique_ptr<ReplaySession> OpenSession(const std::string &script)
{
    auto session = std::make_unique<ReplaySession>();
    const LoadResult result = OpenScript(*session, script);
    EXPECT_TRUE(result.Succeeded());
    EXPECT_TRUE(result.messages.empty());
    return session;
}

// ------------------------------------------------------------ EntrantState

std::ostream &operator<<(std::ostream &out, const EntrantState &state)
{
    return out << "{X " << state.X << ", Y " << state.Y << ", rate " << state.HitPointRate << ", status "
               << state.Status << "}";
}

std::vector<EntrantState> StatesOf(const std::vector<Entrant> &entrants)
{
    std::vector<EntrantState> states;
    for (const Entrant &e : entrants)
        states.push_back({e.X, e.Y, e.HitPointRate, e.Status});
    return states;
}

// --------------------------------------------------------------- EngineRig

EngineRig::EngineRig(ReplayModel tournament) : model(std::move(tournament))
{
    grid.Build(model.Header, model.Entrants);
    grid.DrawAll();
}

QRgb EngineRig::FillOf(int entrant) const
{
    const Entrant &e = model.Entrants.at(std::size_t(entrant));
    return Map().pixel(GridCorner(e.X, e.Y) + QPoint(1, 1));
}

std::set<QRgb> EngineRig::ColoursOfCell(int entrant) const
{
    const Entrant &e = model.Entrants.at(std::size_t(entrant));
    return CellColours(Map(), e.X, e.Y);
}
