#pragma once

#include <optional>

namespace ostrel {

// The options that the viewer answers without opening a window: --help (-h)
// prints the usage and --version (-v) the program's version, both to the
// standard output. Everything else is left to the window's start-up, which
// refuses an unknown option or a second file. Needs no display.
// Returns the program's exit code when it is to end here.
std::optional<int> AnswerInformationOptions(int &argc, char **argv);

} // namespace ostrel
