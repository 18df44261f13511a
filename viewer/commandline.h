#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace ostrel {

// Splits a raw command line the way the viewer reads its arguments: at blanks
// and control characters, a pair of double quotes enclosing blanks, the quotes
// themselves removed. The first item is the program.
QStringList SplitCommandLine(const QString &commandLine);

// The options that name a moment of the script to open.
inline constexpr char PositionOption[] = "position";
inline constexpr char FollowOption[] = "follow";

// What the command line asks of the window's start-up.
struct StartupArguments {
    QString Script;                // empty: none
    std::optional<int> Position;   // the position to show, clamped by the window
    std::optional<int> Follow;     // the entrant to follow; any index
};

// The start-up's reading of a split command line (the program first), or the
// reason it is refused. "--position P" and "--follow N" (also written with
// "=") may stand anywhere after the program; the first other argument names
// the script, whatever it looks like, and further arguments are ignored. A
// value must be a decimal integer; one too large for an int is saturated.
struct ParsedStartup {
    std::optional<StartupArguments> Accepted;
    QString Error;  // names the option and the value refused
};
ParsedStartup ParseStartupArguments(const QStringList &arguments);

} // namespace ostrel
