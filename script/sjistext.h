#pragma once

#include <cstddef>
#include <cstring>
#include <string_view>

// A fixed-capacity, NUL-terminated Shift-JIS byte text, as the records of a
// loaded tournament hold them. The capacity counts the terminator; a longer
// value is cut after Capacity - 1 bytes, possibly inside a double-byte
// character (display code copes with a lone lead byte).
template <std::size_t Capacity>
struct SjisText {
    static_assert(Capacity >= 1);
    char Bytes[Capacity] = {};

    void Assign(std::string_view value)
    {
        const std::size_t n = value.size() < Capacity - 1 ? value.size() : Capacity - 1;
        std::memcpy(Bytes, value.data(), n);
        Bytes[n] = '\0';
    }
    std::string_view View() const { return {Bytes, ::strnlen(Bytes, Capacity)}; }
    bool operator==(std::string_view other) const { return View() == other; }
};

// Shift-JIS (code page 932) lead bytes of double-byte characters.
inline bool IsSjisLeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}
