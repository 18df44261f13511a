#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace ostrel {

// A Shift-JIS byte text of a loaded tournament with a fixed capacity that
// counts a terminator, as the file format's records define them: a longer
// value is cut after Capacity - 1 bytes, possibly inside a double-byte
// character (display code copes with a lone lead byte), and a NUL ends it.
// A model holds hundreds of thousands of these and most are a few bytes
// long, so a text takes 16 bytes: up to 15 bytes are kept in place, a
// longer one on the heap.
template <std::size_t Capacity>
class SjisText {
public:
    static_assert(Capacity >= 1 && Capacity - 1 <= UINT8_MAX, "the length is kept in one byte");

    SjisText() = default;
    SjisText(const SjisText &other) { Assign(other.View()); }
    SjisText(SjisText &&other) noexcept : length_(other.length_)
    {
        std::memcpy(bytes_, other.bytes_, sizeof bytes_);
        other.length_ = 0;
    }
    SjisText &operator=(const SjisText &other)
    {
        Assign(other.View());
        return *this;
    }
    SjisText &operator=(SjisText &&other) noexcept
    {
        if (this != &other) {
            Release();
            std::memcpy(bytes_, other.bytes_, sizeof bytes_);
            length_ = other.length_;
            other.length_ = 0;
        }
        return *this;
    }
    ~SjisText() { Release(); }

    void Assign(std::string_view value)
    {
        const std::size_t most = std::min(value.size(), Capacity - 1);
        std::size_t length = 0;
        while (length < most && value[length] != '\0')
            ++length;
        value = value.substr(0, length);
        if (value.size() <= InPlace) {
            // value may lie in this text's own heap bytes: copied before they are freed.
            char copy[InPlace];
            std::memcpy(copy, value.data(), value.size());
            Release();
            std::memcpy(bytes_, copy, value.size());
        } else {
            char *heap = new char[value.size()];
            std::memcpy(heap, value.data(), value.size());
            Release();
            std::memcpy(bytes_, &heap, sizeof heap);
        }
        length_ = uint8_t(value.size());
    }
    std::string_view View() const { return {Data(), length_}; }
    bool operator==(std::string_view other) const { return View() == other; }

private:
    static constexpr std::size_t InPlace = 15;

    const char *Data() const
    {
        if (length_ <= InPlace)
            return bytes_;
        const char *heap;
        std::memcpy(&heap, bytes_, sizeof heap);
        return heap;
    }
    void Release()
    {
        if (length_ > InPlace)
            delete[] Data();
        length_ = 0;
    }

    char bytes_[InPlace] = {};
    uint8_t length_ = 0;
};

// Shift-JIS (code page 932) lead bytes of double-byte characters.
inline bool IsSjisLeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

} // namespace ostrel
