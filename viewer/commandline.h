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
// "=") may stand anywhere after the program; the one other argument names the
// script. An argument that starts with '-' (other than "-" alone) is an
// option, and one the viewer does not know is refused, as is a second script;
// after "--" every argument is a script name, so "-- -cup.ostrelScript" opens
// a file whose name starts with '-'. A value must be a decimal integer; one
// too large for an int is saturated.
struct ParsedStartup {
    std::optional<StartupArguments> Accepted;
    QString Error;  // names the argument or the value refused
};
ParsedStartup ParseStartupArguments(const QStringList &arguments);

} // namespace ostrel
