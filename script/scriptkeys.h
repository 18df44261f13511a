#pragma once

#include <span>
#include <string_view>

// The key tables of the three sections of a script file. A key's place in
// its table selects what the loader does with the value.

enum class HeaderKey {
    HeaderLines, FileName, Version, ProgramVersion, DateTime, Torvex, Stadium,
    Xsize, Ysize, Entrant, EntrantLines, MoveLines, FightLines,
};
enum class EntrantKey { Doller, Owner, Emblem, X, Y, HitPoint };
enum class EventKey {
    Turn, Move, Fight, Status1, Status2, Guide1, Guide2, HitPoint1, HitPoint2, Result, End,
};

extern const std::string_view HeaderKeys[13];
extern const std::string_view EntrantKeys[6];
extern const std::string_view EventKeys[11];

// The row of key in table, letter case ignored (ASCII only), or -1 for an
// unknown key.
int FindKey(std::span<const std::string_view> table, std::string_view key);
