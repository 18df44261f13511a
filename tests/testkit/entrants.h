#pragma once

// Entrants as the loader leaves them, for tests that build a model or a map
// without a file.

#include "replaymodel.h"

#include <string_view>

namespace ostrel {

// An entrant at (x, y); in play (status -1) unless told. Texts are bytes as
// the model keeps them: wrap Japanese source text in Sjis().
Entrant MakeEntrant(std::string_view emblem, int x, int y, int rate = 100, int status = -1,
                    std::string_view name = "Name", std::string_view owner = "Owner");

} // namespace ostrel
