#pragma once

// Every field of a loaded model as one text, so that two loads compare with
// one assertion and a failure shows where they part. Header-only: the
// fuzzers use it too, without the test framework.

#include "replaymodel.h"

#include <string>

namespace ostrel {

inline std::string DumpModel(const ReplayModel &model)
{
    std::string out;
    const auto add = [&out](auto... values) {
        ((out += std::to_string(values), out += ' '), ...);
    };
    const auto text = [&out](std::string_view bytes) {
        out += '[';
        out += bytes;
        out += "] ";
    };
    const ScriptHeader &h = model.Header;
    add(h.HeaderLines, h.Xsize, h.Ysize, h.EntrantCount, h.EntrantLines, h.MoveLines, h.FightLines);
    for (std::string_view t : {h.FileName.View(), h.Version.View(), h.ProgramVersion.View(), h.DateTime.View(),
                               h.Torvex.View(), h.Stadium.View()})
        text(t);
    out += "\nentrants\n";
    for (const Entrant &e : model.Entrants) {
        text(e.Doller.View());
        text(e.Owner.View());
        text(e.Emblem.View());
        add(e.X, e.Y, e.HitPointRate, e.Status);
        for (int32_t hp : e.HitPoint)
            add(hp);
        out += '\n';
    }
    out += "steps\n";
    for (const ReplayStep &step : model.Steps) {
        add(step.Turn, step.Kind);
        if (step.Move) {
            out += "move ";
            for (const MoveDelta &d : step.Move->Deltas)
                add(d.EntrantIndex, d.Dx, d.Dy);
        }
        if (const FightRecord *f = step.Fight) {
            out += "fight ";
            add(f->BattleNo, f->LeadSide, f->Distance, f->ResultInfo, f->ResultCode, f->OutStatus);
            for (const FightSide &side : f->Side) {
                add(side.EntrantIndex, side.RateBefore, side.RateAfter);
                for (int16_t s : side.StatusRest)
                    add(s);
                text(side.Guide.View());
            }
        }
        out += '\n';
    }
    out += "battles\n";
    for (const BattleEntry &b : model.Battles) {
        add(b.StartTurn, b.EndTurn, b.StartPosition, b.EndPosition, b.Player1, b.Player2, b.Player1Wins,
            b.Player2Wins, b.ResultInfo, b.ResultCode, b.OutStatus);
        out += '\n';
    }
    return out;
}

} // namespace ostrel
