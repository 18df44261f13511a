#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>

// A Shift-JIS byte text of a loaded tournament with a fixed capacity that
// counts a terminator, as the file format's records define them: a longer
// value is cut after Capacity - 1 bytes, possibly inside a double-byte
// character (display code copes with a lone lead byte), and a NUL ends it.
// Only the bytes in use are stored: most texts are a few bytes long, short
// ones need no allocation at all.
template <std::size_t Capacity>
class SjisText {
public:
    static_assert(Capacity >= 1);

    void Assign(std::string_view value)
    {
        text_.assign(value.substr(0, std::min(value.find('\0'), Capacity - 1)));
    }
    std::string_view View() const { return text_; }
    bool operator==(std::string_view other) const { return View() == other; }

private:
    std::string text_;
};

// Shift-JIS (code page 932) lead bytes of double-byte characters.
inline bool IsSjisLeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}
