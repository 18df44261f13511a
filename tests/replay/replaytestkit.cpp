#include "replaytestkit.h"

#include "mappixels.h"

#include <utility>

namespace ostrel {

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

} // namespace ostrel
