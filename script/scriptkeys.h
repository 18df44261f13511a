#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string_view>

namespace ostrel {

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
// length and first and last bytes, which tells the format's keys apart, and
// only the one candidate is compared.
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
            Name &entry = names_[count_++];
            entry.Size = name.size();
            for (std::size_t i = 0; i < name.size(); ++i) {
                const bool letter = (name[i] | 0x20) >= 'a' && (name[i] | 0x20) <= 'z';
                entry.CaseBits[i] = letter ? 0x20 : 0;
                entry.Lower[i] = char(name[i] | entry.CaseBits[i]);
            }
        }
    }

    // The row of key, or -1 for an unknown key.
    constexpr int Find(std::string_view key) const
    {
        for (std::size_t slot = SlotOf(key); slots_[slot] != -1; slot = (slot + 1) % SlotCount) {
            if (names_[std::size_t(slots_[slot])].Matches(key))
                return slots_[slot];
        }
        return -1;
    }

private:
    static constexpr std::size_t SlotCount = 32;  // at least twice as many as names
    static constexpr std::size_t MaxNames = 16;
    static constexpr std::size_t MaxLength = 16;

    // A name in lower case. Setting the case bit of a key's byte lowers an
    // ASCII capital and nothing else that could equal a letter, so it is
    // set where the name has a letter; other bytes must match as they are.
    struct Name {
        std::size_t Size = 0;
        std::array<char, MaxLength> Lower{};
        std::array<char, MaxLength> CaseBits{};

        constexpr bool Matches(std::string_view key) const
        {
            if (key.size() != Size)
                return false;
            int differ = 0;
            for (std::size_t i = 0; i < Size; ++i)
                differ |= (key[i] | CaseBits[i]) ^ Lower[i];
            return differ == 0;
        }
    };

    // Equal keys, letter case ignored, share a slot.
    static constexpr std::size_t SlotOf(std::string_view key)
    {
        if (key.empty())
            return 0;
        const auto first = static_cast<unsigned char>(key.front() | 0x20);
        const auto last = static_cast<unsigned char>(key.back() | 0x20);
        return (key.size() * 5 + first * 3 + last) % SlotCount;
    }

    std::array<int8_t, SlotCount> slots_{};
    std::array<Name, MaxNames> names_{};
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

} // namespace ostrel
