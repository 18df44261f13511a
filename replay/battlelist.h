#pragma once

#include "replaymodel.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

// The list control that shows the battles begun so far, as the battle list
// logic needs it. Texts are Shift-JIS bytes. The session's battle rows
// implement it.
class BattleListControl {
public:
    enum Column { CaptionColumn, Player1Column, Player2Column, TurnsColumn, ResultColumn, ColumnCount };
    using Row = std::array<std::string, ColumnCount>;

    virtual ~BattleListControl() = default;

    virtual int RowCount() const = 0;
    virtual void AppendRow(const Row &cells) = 0;
    virtual void DeleteRow(int row) = 0;
    // Overwrites the two cells that depend on the replay position.
    virtual void SetTurnsAndResult(int row, const std::string &turns, const std::string &result) = 0;
    virtual void SelectRow(int row) = 0;
    // Whether the selection shows while the list does not have the focus.
    virtual void ShowSelectionAlways(bool always) = 0;
    // Repainting is suspended from BeginUpdate to EndUpdate, which repaints.
    virtual void BeginUpdate() = 0;
    virtual void EndUpdate() = 0;
};

// What each row of a list shows, kept from one refresh to the next so that a
// refresh rewrites only the rows whose texts can have changed: a finished
// battle's row reads the same at every later position, a running one changes
// only with the reference step's turn. Rows it does not know are rewritten.
class BattleListMemo {
public:
    struct RowState {
        bool over = false;
        int16_t referenceTurn = 0;  // for a running battle
        bool operator==(const RowState &) const = default;
    };

private:
    friend void RefreshBattleList(const ReplayModel &, int, int, const ReplayStep *, BattleListControl &,
                                  BattleListMemo &);
    std::vector<std::optional<RowState>> rows_;
};

// Brings the list up to date for position p of a replay whose slider reaches
// max; reference is the step shown at p (step 1 at 0, the last step at the
// end), or null without steps. Row i shows battle i. Rows are appended and
// deleted only at the end (the last row first); an existing row keeps its
// caption and player cells and has only its turns and result rewritten. At a
// fight step before the end the row of the battle being fought is selected,
// visibly even without the focus.
void RefreshBattleList(const ReplayModel &model, int p, int max, const ReplayStep *reference, BattleListControl &list,
                       BattleListMemo &memo);
// The same without a memo: every existing row is rewritten.
void RefreshBattleList(const ReplayModel &model, int p, int max, const ReplayStep *reference, BattleListControl &list);

// The cell texts of battle index i (zero-based) at position p.
BattleListControl::Row BattleRowTexts(const ReplayModel &model, int i, int p, const ReplayStep *reference);
