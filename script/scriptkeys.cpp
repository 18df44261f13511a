#include "scriptkeys.h"

const std::string_view HeaderKeys[13] = {
    "HeaderLines", "FileName", "Version", "ProgramVersion", "DateTime", "Torvex", "Stadium",
    "Xsize", "Ysize", "Entrant", "EntrantLines", "MoveLines", "FightLines",
};
const std::string_view EntrantKeys[6] = {"Doller", "Owner", "Emblem", "X", "Y", "HitPoint"};
const std::string_view EventKeys[11] = {
    "Turn", "Move", "Fight", "Status1", "Status2", "Guide1", "Guide2",
    "HitPoint1", "HitPoint2", "Result", "End",
};

namespace {

char AsciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

// Both of the same length.
bool EqualIgnoringCase(std::string_view a, std::string_view b)
{
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i]))
            return false;
    }
    return true;
}

} // namespace

int FindKey(std::span<const std::string_view> table, std::string_view key)
{
    if (key.empty())
        return -1;
    // Keys that share a length mostly differ in their last letter (Status1,
    // Status2), so that is compared first.
    const char last = AsciiLower(key.back());
    for (std::size_t i = 0; i < table.size(); ++i) {
        const std::string_view entry = table[i];
        if (entry.size() == key.size() && AsciiLower(entry.back()) == last && EqualIgnoringCase(entry, key))
            return int(i);
    }
    return -1;
}
