#include "viewerjson.h"

#include "replaysession.h"
#include "sjisdecoder.h"

#include <QJsonArray>

namespace ostrel {

namespace {

template <typename T>
QJsonArray Numbers(const T *values, int count)
{
    QJsonArray array;
    for (int i = 0; i < count; ++i)
        array.append(int(values[i]));
    return array;
}

QJsonObject HeaderToJson(const ScriptHeader &h)
{
    return {
        {"HeaderLines", h.HeaderLines}, {"FileName", DecodeSjis(h.FileName.View())},
        {"Version", DecodeSjis(h.Version.View())}, {"ProgramVersion", DecodeSjis(h.ProgramVersion.View())},
        {"DateTime", DecodeSjis(h.DateTime.View())}, {"Torvex", DecodeSjis(h.Torvex.View())},
        {"Stadium", DecodeSjis(h.Stadium.View())}, {"Xsize", h.Xsize}, {"Ysize", h.Ysize},
        {"EntrantCount", h.EntrantCount}, {"EntrantLines", h.EntrantLines},
        {"MoveLines", h.MoveLines}, {"FightLines", h.FightLines},
    };
}

QJsonObject EntrantToJson(const Entrant &e)
{
    return {
        {"Doller", DecodeSjis(e.Doller.View())}, {"Owner", DecodeSjis(e.Owner.View())},
        {"Emblem", DecodeSjis(e.Emblem.View())}, {"X", e.X}, {"Y", e.Y},
        {"HitPoint", Numbers(e.HitPoint, 6)}, {"HitPointRate", e.HitPointRate}, {"Status", e.Status},
    };
}

QJsonObject SideToJson(const FightSide &s)
{
    return {
        {"EntrantIndex", s.EntrantIndex}, {"StatusRest", Numbers(s.StatusRest, 6)},
        {"Guide", DecodeSjis(s.Guide.View())}, {"RateBefore", s.RateBefore}, {"RateAfter", s.RateAfter},
    };
}

QJsonObject StepToJson(const ReplayStep &step)
{
    if (!step.IsFight()) {
        QJsonArray deltas;
        for (const MoveDelta &d : step.Move->Deltas)
            deltas.append(QJsonArray{d.EntrantIndex, d.Dx, d.Dy});
        return {{"Turn", step.Turn}, {"Kind", step.Kind}, {"Deltas", deltas}};
    }
    const FightRecord &f = *step.Fight;
    return {
        {"Turn", step.Turn}, {"Kind", step.Kind}, {"BattleNo", f.BattleNo}, {"LeadSide", f.LeadSide},
        {"Distance", f.Distance}, {"Side", QJsonArray{SideToJson(f.Side[0]), SideToJson(f.Side[1])}},
        {"ResultInfo", f.ResultInfo}, {"ResultCode", f.ResultCode}, {"OutStatus", f.OutStatus},
    };
}

QJsonObject BattleToJson(const BattleEntry &b)
{
    return {
        {"StartTurn", b.StartTurn}, {"EndTurn", b.EndTurn}, {"StartPosition", b.StartPosition},
        {"EndPosition", b.EndPosition}, {"Player1", b.Player1}, {"Player2", b.Player2},
        {"Player1Wins", b.Player1Wins}, {"Player2Wins", b.Player2Wins}, {"ResultInfo", b.ResultInfo},
        {"ResultCode", b.ResultCode}, {"OutStatus", b.OutStatus},
    };
}

template <typename List, typename Convert>
QJsonArray ArrayOf(const List &list, Convert convert)
{
    QJsonArray array;
    for (const auto &item : list)
        array.append(convert(item));
    return array;
}

} // namespace

QJsonObject ModelToJson(const ReplayModel &model)
{
    return {
        {"header", HeaderToJson(model.Header)},
        {"entrants", ArrayOf(model.Entrants, EntrantToJson)},
        {"steps", ArrayOf(model.Steps, StepToJson)},
        {"battles", ArrayOf(model.Battles, BattleToJson)},
    };
}

QJsonObject StateToJson(const ReplaySession &session, const QString &action, const QJsonValue &arg, bool result,
                        bool playback)
{
    const ReplayModel &model = session.Model();
    const StepEngine &engine = session.Engine();
    const QJsonArray entrants = ArrayOf(model.Entrants, [](const Entrant &e) {
        return QJsonArray{e.X, e.Y, e.HitPointRate, e.Status};
    });
    const QJsonArray digest = ArrayOf(session.Digest(), [](const std::string &line) { return DecodeSjis(line); });
    const QJsonArray battles = ArrayOf(session.BattleList().Rows(), [](const BattleListControl::Row &row) {
        return ArrayOf(row, [](const std::string &cell) { return DecodeSjis(cell); });
    });
    QJsonValue highlight = QJsonValue::Null;
    if (engine.HighlightActive() && engine.HighlightStepNumber() > 0)
        highlight = QJsonArray{engine.HighlightPlayer1(), engine.HighlightPlayer2(), engine.HighlightStepNumber()};
    const int selected = session.BattleList().SelectedRow();
    QJsonObject state{
        {"action", action}, {"arg", arg}, {"result", result},
        {"position", engine.CurrentPosition()}, {"slider", session.SliderPosition()},
        {"max", session.SliderMax()}, {"entrants", entrants}, {"digest", digest},
        {"battles", battles}, {"selected", selected >= 0 ? QJsonValue(selected) : QJsonValue()},
        {"highlight", highlight},
    };
    if (playback) {
        const PlaybackControls &enabled = session.Enabled();
        state.insert("playing", session.Playing());
        state.insert("timer", session.TimerInterval());
        state.insert("enabled", QJsonObject{{"play", enabled.Play}, {"fwd", enabled.Fwd}, {"pause", enabled.Pause},
                                            {"quit", enabled.Quit}, {"slider", enabled.Slider}});
    }
    return state;
}

QJsonArray FoundToJson(const ReplaySession &session, const QStringList &texts)
{
    QJsonArray found;
    for (const QString &text : texts) {
        QJsonArray entrants;
        for (int entrant : session.Search().Find(text))
            entrants.append(entrant);
        found.append(QJsonObject{{"text", text}, {"entrants", entrants}});
    }
    return found;
}

namespace {

QJsonValue HistoryToJson(const EntrantHistory &history)
{
    if (history.Entrant < 0)
        return QJsonValue::Null;
    QJsonArray cells;
    for (const EntrantHistory::Cell &cell : history.Cells)
        cells.append(QJsonArray{cell.Position, cell.X, cell.Y});
    const auto values = [](const std::vector<EntrantHistory::Value> &list) {
        QJsonArray array;
        for (const EntrantHistory::Value &value : list)
            array.append(QJsonArray{value.Position, value.Value});
        return array;
    };
    QJsonArray battles;
    for (const EntrantHistory::Battle &battle : history.Battles) {
        const std::string_view outcome = EntrantHistory::OutcomeName(battle.Result);
        battles.append(QJsonArray{battle.Index, battle.First, battle.Last, battle.Opponent,
                                  QString::fromLatin1(outcome.data(), qsizetype(outcome.size()))});
    }
    return QJsonObject{{"index", history.Entrant}, {"cells", cells}, {"rates", values(history.Rates)},
                       {"statuses", values(history.Statuses)}, {"battles", battles}};
}

} // namespace

QJsonArray FollowedToJson(const ReplaySession &session, const QList<int> &entrants)
{
    QJsonArray followed;
    for (int entrant : entrants)
        followed.append(HistoryToJson(session.Index().HistoryOf(session.Model(), entrant)));
    return followed;
}

QJsonObject TimelineToJson(const ReplaySession &session)
{
    QJsonArray alive;
    for (int32_t count : session.Index().Alive())
        alive.append(count);
    QJsonArray battle;
    for (int16_t number : session.Index().BattleAt())
        battle.append(number);
    return {{"alive", alive}, {"battle", battle}};
}

} // namespace ostrel
