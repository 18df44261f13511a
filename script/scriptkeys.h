#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
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

// The names of one section's keys, found with letter case ignored (ASCII
// only). Every line of a file is looked up, so the names are hashed on their
// length and first and last letters, which tells the format's keys apart,
// and only the one candidate is compared.
class KeyTable {
public:
    constexpr KeyTable(std::initializer_list<std::string_view> names)
    {
        slots_.fill(-1);
        for (const std::string_view name : names) {
            std::size_t slot = SlotOf(name);
            while (slots_[slot] != -1)
                slot = (slot + 1) % SlotCount;
            slots_[slot] = int8_t(count_);
            names_[count_++] = name;
        }
    }

    // The row of key, or -1 for an unknown key.
    constexpr int Find(std::string_view key) const
    {
        for (std::size_t slot = SlotOf(key); slots_[slot] != -1; slot = (slot + 1) % SlotCount) {
            if (EqualIgnoringCase(names_[std::size_t(slots_[slot])], key))
                return slots_[slot];
        }
        return -1;
    }

private:
    static constexpr std::size_t SlotCount = 32;  // at least twice as many as names
    static constexpr std::size_t MaxNames = 16;

    static constexpr char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }
    static constexpr std::size_t SlotOf(std::string_view key)
    {
        if (key.empty())
            return 0;
        const auto first = static_cast<unsigned char>(AsciiLower(key.front()));
        const auto last = static_cast<unsigned char>(AsciiLower(key.back()));
        return (key.size() * 5 + first * 3 + last) % SlotCount;
    }
    static constexpr bool EqualIgnoringCase(std::string_view a, std::string_view b)
    {
        if (a.size() != b.size())
            return false;
        for (std::size_t i = 0; i < a.size(); ++i) {
            if (AsciiLower(a[i]) != AsciiLower(b[i]))
                return false;
        }
        return true;
    }

    std::array<int8_t, SlotCount> slots_{};
    std::array<std::string_view, MaxNames> names_{};
    std::size_t count_ = 0;
};

inline constexpr KeyTable HeaderKeys{
    "HeaderLines", "FileName", "Version", "ProgramVersion", "DateTime", "Torvex", "Stadium",
    "Xsize", "Ysize", "Entrant", "EntrantLines", "MoveLines", "FightLines",
};
inline constexpr KeyTable EntrantKeys{"Doller", "Owner", "Emblem", "X", "Y", "HitPoint"};
inline constexpr KeyTable EventKeys{
    "Turn", "Move", "Fight", "Status1", "Status2", "Guide1", "Guide2",
    "HitPoint1", "HitPoint2", "Result", "End",
};
