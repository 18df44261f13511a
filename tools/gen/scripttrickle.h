#pragma once

#include <QByteArray>

#include <cstdint>
#include <vector>

namespace ostrel {

// Plays a script file into another one as a game writing it would: a
// chunk per tick, each holding about a tick's worth of lines, cut at a
// random byte (inside a line, between CR and LF, inside a double-byte
// character), so that readers meet half lines as they do in the field.
//
// The cuts: the byte counts of the file written after each tick, rising,
// the last one the whole file. Lines are counted by their LF.
std::vector<qsizetype> TrickleCuts(const QByteArray &bytes, double linesPerTick, std::uint64_t seed);

// The interval between ticks for a rate: ten ticks a second, or one per
// line when the rate is below ten lines a second.
int TrickleTickMs(double linesPerSecond);

} // namespace ostrel
