#pragma once

#include "replaymodel.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace ostrel {

// The moment a battle list shows: position p, and the turn of the step shown
// there (the reference step; none without steps). Besides its battle, a row's
// texts depend on nothing else.
struct BattleListMoment {
    BattleListMoment() = default;
    BattleListMoment(int p, const ReplayStep *reference);

    int Position = 0;
    std::optional<int16_t> ReferenceTurn;
};

// The list control that shows the battles begun so far, as the battle list
// logic needs it. Row i shows battle i, so the list is told only how many
// rows there are, the moment they show and which rows' texts changed; it takes
// the texts from BattleRowTexts when it shows them. The session's battle rows
// implement it.
class BattleListControl {
public:
    enum Column { CaptionColumn, Player1Column, Player2Column, TurnsColumn, ResultColumn, ColumnCount };
    // Texts are Shift-JIS bytes.
    using Row = std::array<std::string, ColumnCount>;

    virtual ~BattleListControl() = default;

    virtual int RowCount() const = 0;
    // The rows show the battles of model at moment from now on.
    virtual void ShowMoment(const ReplayModel &model, const BattleListMoment &moment) = 0;
    virtual void AppendRow() = 0;
    virtual void DeleteLastRow() = 0;
    // The two cells that depend on the moment changed.
    virtual void TurnsAndResultChanged(int row) = 0;
    virtual void SelectRow(int row) = 0;
    // Whether the selection shows while the list does not have the focus.
    virtual void ShowSelectionAlways(bool always) = 0;
    // Repainting is suspended from BeginUpdate to EndUpdate, which repaints.
    virtual void BeginUpdate() = 0;
    virtual void EndUpdate() = 0;
};

// What each row of a list shows, kept from one refresh to the next so that a
// refresh reports only the rows whose texts can have changed: a finished
// battle's row reads the same at every later position, a running one changes
// only with the reference step's turn. Rows it does not know are reported.
class BattleListMemo {
public:
    struct RowState {
        bool Over = false;
        int16_t ReferenceTurn = 0;  // for a running battle
        bool operator==(const RowState &) const = default;
    };

    // The rows' texts may have changed in the model: the next refresh
    // reports every row.
    void Forget() { rows_.assign(rows_.size(), std::nullopt); }

private:
    friend void RefreshBattleList(const ReplayModel &, int, int, const ReplayStep *, BattleListControl &,
                                  BattleListMemo &);
    std::vector<std::optional<RowState>> rows_;
};

// Brings the list up to date for position p of a replay whose slider reaches
// max; reference is the step shown at p (step 1 at 0, the last step at the
// end), or null without steps. Rows are appended and deleted only at the end
// (the last row first); of an existing row only the turns and result can
// change. At a fight step before the end the row of the battle being fought
// is selected, visibly even without the focus.
void RefreshBattleList(const ReplayModel &model, int p, int max, const ReplayStep *reference, BattleListControl &list,
                       BattleListMemo &memo);
// The same without a memo: every existing row is reported changed.
void RefreshBattleList(const ReplayModel &model, int p, int max, const ReplayStep *reference, BattleListControl &list);

// The cell texts of battle index i (zero-based) at a moment.
BattleListControl::Row BattleRowTexts(const ReplayModel &model, int i, const BattleListMoment &moment);

} // namespace ostrel
