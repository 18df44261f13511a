#include "battlelist.h"

#include <cstdio>

namespace {

std::string Format(const char *format, auto... values)
{
    char text[64];
    std::snprintf(text, sizeof text, format, values...);
    return text;
}

// A player that no Status line named, or an index outside the entrant
// table, shows as "?".
std::string_view EmblemOf(const ReplayModel &model, int player)
{
    const Entrant *entrant = model.EntrantAt(player);
    return entrant ? entrant->Emblem.View() : "?";
}

std::string PlayerText(const ReplayModel &model, int player, int wins)
{
    const Entrant *entrant = model.EntrantAt(player);
    std::string text(EmblemOf(model, player));
    text += Format("(%d) ", wins);
    text += entrant ? entrant->Doller.View() : "?";
    return text;
}

std::string ResultText(const ReplayModel &model, const BattleEntry &battle)
{
    if (battle.ResultCode == 0)
        return "win " + std::string(EmblemOf(model, battle.Player1)) + Format("(%d)", battle.Player1Wins + 1);
    if (battle.ResultCode == 1)
        return "win " + std::string(EmblemOf(model, battle.Player2)) + Format("(%d)", battle.Player2Wins + 1);
    return "draw";
}

int16_t ReferenceTurn(const BattleEntry &battle, const ReplayStep *reference)
{
    return reference ? reference->Turn : int16_t(battle.StartTurn);
}

// The turns and result texts of a battle at position p.
std::array<std::string, 2> TimeTexts(const ReplayModel &model, const BattleEntry &battle, int p,
                                     const ReplayStep *reference)
{
    std::string endText;
    int64_t length;
    std::string result;
    if (battle.EndPosition > p) {
        endText = "   ";
        length = int64_t(ReferenceTurn(battle, reference)) - battle.StartTurn + 1;
    } else {
        endText = Format("%3d", battle.EndTurn);
        length = int64_t(battle.EndTurn) - battle.StartTurn + 1;
        result = ResultText(model, battle);
    }
    return {Format("%3d-", battle.StartTurn) + endText + Format(":%3lld", static_cast<long long>(length)), result};
}

} // namespace

BattleListControl::Row BattleRowTexts(const ReplayModel &model, int i, int p, const ReplayStep *reference)
{
    const BattleEntry &battle = model.Battles[std::size_t(i)];
    std::array<std::string, 2> times = TimeTexts(model, battle, p, reference);
    return {
        Format("B%03d", i),
        PlayerText(model, battle.Player1, battle.Player1Wins),
        PlayerText(model, battle.Player2, battle.Player2Wins),
        std::move(times[0]),
        std::move(times[1]),
    };
}

void RefreshBattleList(const ReplayModel &model, int p, int max, const ReplayStep *reference, BattleListControl &list)
{
    BattleListMemo memo;
    RefreshBattleList(model, p, max, reference, list, memo);
}

void RefreshBattleList(const ReplayModel &model, int p, int max, const ReplayStep *reference, BattleListControl &list,
                       BattleListMemo &memo)
{
    list.BeginUpdate();
    // Rows the memo has not seen (the list was cleared or refilled) are unknown.
    memo.rows_.resize(std::size_t(list.RowCount()));
    const int battles = int(model.Battles.size());
    for (int i = 0; i < battles; ++i) {
        const BattleEntry &battle = model.Battles[std::size_t(i)];
        if (battle.StartPosition > p) {
            // Battles begin in table order, so no later battle has begun
            // either. The rows go from the last one up: the same rows, but
            // no row below a deleted one has to move up.
            for (int row = list.RowCount() - 1; row >= i; --row)
                list.DeleteRow(row);
            memo.rows_.resize(std::size_t(i));
            break;
        }
        const bool over = battle.EndPosition <= p;
        const BattleListMemo::RowState state{over, over ? int16_t(0) : ReferenceTurn(battle, reference)};
        if (list.RowCount() <= i) {
            list.AppendRow(BattleRowTexts(model, i, p, reference));
            memo.rows_.push_back(state);
        } else if (memo.rows_[std::size_t(i)] != state) {
            const std::array<std::string, 2> times = TimeTexts(model, battle, p, reference);
            list.SetTurnsAndResult(i, times[0], times[1]);
            memo.rows_[std::size_t(i)] = state;
        }
    }
    list.ShowSelectionAlways(false);
    if (reference && reference->IsFight() && reference->Fight && p < max) {
        const int row = reference->Fight->BattleNo - 1;
        if (row >= 0 && row < list.RowCount()) {
            list.SelectRow(row);
            list.ShowSelectionAlways(true);
        }
    }
    list.EndUpdate();
}
