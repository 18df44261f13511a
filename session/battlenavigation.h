#pragma once

#include "replaymodel.h"

#include <optional>

namespace ostrel {

// Where the battles lie on the slider: a battle begins at its StartPosition
// (its first fight step) and ends at its EndPosition (the step at which its
// result is read). The table is not assumed to be in any order.

// The latest battle start before position; nothing when none lies before it.
std::optional<int> BattleStartBefore(const BattleTable &battles, int position);
// The earliest battle start after position; nothing when none lies after it.
std::optional<int> BattleStartAfter(const BattleTable &battles, int position);

} // namespace ostrel
