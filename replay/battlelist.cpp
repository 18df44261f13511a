#include "battlelist.h"

#include <algorithm>
#include <charconv>
#include <initializer_list>
#include <iterator>

namespace ostrel {

namespace {

// A number's decimal digits, padded on the left to a width as printf's "%3d"
// would, or as "%03d" would a number that is never negative; held without
// allocating.
class Decimal {
public:
    explicit Decimal(long long value, std::size_t width = 0, char fill = ' ')
    {
        char digits[24];
        const std::size_t size = std::size_t(std::to_chars(digits, std::end(digits), value).ptr - digits);
        const std::size_t padding = width > size ? width - size : 0;
        std::fill_n(text_, padding, fill);
        std::copy_n(digits, size, text_ + padding);
        size_ = padding + size;
    }
    std::string_view View() const { return {text_, size_}; }

private:
    char text_[32];
    std::size_t size_;
};

// A cell's text made of parts, allocated at most once.
std::string Joined(std::initializer_list<std::string_view> parts)
{
    std::size_t size = 0;
    for (std::string_view part : parts)
        size += part.size();
    std::string text;
    text.reserve(size);
    for (std::string_view part : parts)
        text += part;
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
    return Joined({EmblemOf(model, player), "(", Decimal(wins).View(), ") ", entrant ? entrant->Doller.View() : "?"});
}

std::string ResultText(const ReplayModel &model, const BattleEntry &battle)
{
    if (battle.ResultCode == 0)
        return Joined({"win ", EmblemOf(model, battle.Player1), "(", Decimal(battle.Player1Wins + 1).View(), ")"});
    if (battle.ResultCode == 1)
        return Joined({"win ", EmblemOf(model, battle.Player2), "(", Decimal(battle.Player2Wins + 1).View(), ")"});
    return "draw";
}

int16_t ReferenceTurn(const BattleEntry &battle, const BattleListMoment &moment)
{
    return moment.ReferenceTurn.value_or(int16_t(battle.StartTurn));
}

bool IsOver(const BattleEntry &battle, const BattleListMoment &moment)
{
    return battle.EndPosition <= moment.Position;
}

// The turns text of a battle: a running one counts up to the reference turn.
std::string TurnsText(const BattleEntry &battle, const BattleListMoment &moment)
{
    const bool over = IsOver(battle, moment);
    const int64_t last = over ? battle.EndTurn : ReferenceTurn(battle, moment);
    return Joined({Decimal(battle.StartTurn, 3).View(), "-", over ? Decimal(battle.EndTurn, 3).View() : "   ", ":",
                   Decimal(last - battle.StartTurn + 1, 3).View()});
}

} // namespace

BattleListMoment::BattleListMoment(int p, const ReplayStep *reference) : Position(p)
{
    if (reference)
        ReferenceTurn = reference->Turn;
}

BattleListControl::Row BattleRowTexts(const ReplayModel &model, int i, const BattleListMoment &moment)
{
    const BattleEntry &battle = model.Battles[std::size_t(i)];
    return {
        Joined({"B", Decimal(i, 3, '0').View()}),
        PlayerText(model, battle.Player1, battle.Player1Wins),
        PlayerText(model, battle.Player2, battle.Player2Wins),
        TurnsText(battle, moment),
        IsOver(battle, moment) ? ResultText(model, battle) : std::string(),
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
    const BattleListMoment moment(p, reference);
    list.BeginUpdate();
    list.ShowMoment(model, moment);
    // Rows the memo has not seen (the list was cleared or refilled) are unknown.
    memo.rows_.resize(std::size_t(list.RowCount()));
    const int battles = int(model.Battles.size());
    for (int i = 0; i < battles; ++i) {
        const BattleEntry &battle = model.Battles[std::size_t(i)];
        if (battle.StartPosition > p) {
            // Battles begin in table order, so no later battle has begun
            // either. The rows go from the last one up, so that no row below
            // a deleted one has to move up.
            while (list.RowCount() > i)
                list.DeleteLastRow();
            memo.rows_.resize(std::size_t(i));
            break;
        }
        const bool over = IsOver(battle, moment);
        const BattleListMemo::RowState state{over, over ? int16_t(0) : ReferenceTurn(battle, moment)};
        if (list.RowCount() <= i) {
            list.AppendRow();
            memo.rows_.push_back(state);
        } else if (memo.rows_[std::size_t(i)] != state) {
            list.TurnsAndResultChanged(i);
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

} // namespace ostrel
