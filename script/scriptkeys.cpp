#include "scriptkeys.h"

const char *const HeaderKeys[13] = {
    "HeaderLines", "FileName", "Version", "ProgramVersion", "DateTime", "Torvex", "Stadium",
    "Xsize", "Ysize", "Entrant", "EntrantLines", "MoveLines", "FightLines",
};
const char *const EntrantKeys[6] = {"Doller", "Owner", "Emblem", "X", "Y", "HitPoint"};
const char *const EventKeys[11] = {
    "Turn", "Move", "Fight", "Status1", "Status2", "Guide1", "Guide2",
    "HitPoint1", "HitPoint2", "Result", "End",
};

namespace {

char AsciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

bool EqualIgnoringCase(const char *a, const char *b)
{
    for (; *a && *b; ++a, ++b) {
        if (AsciiLower(*a) != AsciiLower(*b))
            return false;
    }
    return *a == *b;
}

} // namespace

int FindKey(std::span<const char *const> table, const char *key)
{
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (EqualIgnoringCase(table[i], key))
            return int(i);
    }
    return -1;
}
