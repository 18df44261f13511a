#pragma once

#include "replaymodel.h"

#include <string>
#include <vector>

namespace ostrel {

// The digest of the current step, as Shift-JIS lines. Widths are counted in
// bytes (a double-byte character counts 2), so that in a fixed-pitch face the
// two players' Guide texts start in the same column. No length limit.

// "ターン: %d"
std::string TurnLine(int turn);

// The four lines after the turn line of a fight step: "試合番号: %d",
// "相対距離: %d", then one "%-*s  %s" line per side, the lead side first,
// each with its description "《emblem》 name／owner" padded to the longer of
// the two and followed by its Guide. A side that names no entrant of the
// table shows "?" for emblem, name and owner.
std::vector<std::string> BattleDigestLines(const ReplayModel &model, const FightRecord &fight);

} // namespace ostrel
