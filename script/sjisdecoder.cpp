#include "sjisdecoder.h"

#include "sjistext.h"

#include <array>
#include <cstdint>

namespace ostrel {

namespace {

// Code page 932 is compiled in rather than taken from Qt: Qt carries it only
// when built with ICU, and without it every Japanese character would be lost.
// The single bytes follow the code page's own table (ASCII with its control
// characters, half-width katakana, and 0x80, 0xA0 and 0xFD-0xFF mapped as
// Windows maps them). Broken input decodes as it does with the common cp932
// codecs: a lead byte that does not make a character with the byte after it
// becomes U+FFFD and that next byte is read afresh, so a cut character never
// swallows what follows.
constexpr char16_t NotACharacter = QChar::ReplacementCharacter;
constexpr int LeadByteCount = 60;
constexpr int TrailByteCount = 188;

constexpr std::uint16_t DoubleByteTable[LeadByteCount][TrailByteCount] = {
#include "cp932table.inc"
};

int Row(uchar lead)
{
    return lead <= 0x9F ? lead - 0x81 : lead - 0xE0 + 31;
}

// The table's column for a trail byte, or -1 for a byte that never trails.
int Column(uchar trail)
{
    if (trail >= 0x40 && trail <= 0x7E)
        return trail - 0x40;
    if (trail >= 0x80 && trail <= 0xFC)
        return trail - 0x41;
    return -1;
}

char16_t SingleByte(uchar b)
{
    if (b <= 0x80)
        return b;
    if (b >= 0xA1 && b <= 0xDF)
        return char16_t(0xFF61 + (b - 0xA1));  // half-width katakana
    if (b == 0xA0)
        return 0xF8F0;
    if (b >= 0xFD)
        return char16_t(0xF8F1 + (b - 0xFD));
    return NotACharacter;  // lead bytes never stand alone
}

char16_t DoubleByte(uchar lead, uchar trail)
{
    const int column = Column(trail);
    return column < 0 ? NotACharacter : char16_t(DoubleByteTable[Row(lead)][column]);
}

// The bytes each character encodes to, the reverse of the decoding tables.
class Cp932Encoding {
public:
    Cp932Encoding()
    {
        codes_.fill(NoCode);
        for (int b = 0; b < 256; ++b) {
            if (!IsSjisLeadByte(uchar(b)))
                Claim(SingleByte(uchar(b)), std::uint16_t(b));
        }
        for (int lead = 0x81; lead <= 0xFC; ++lead) {
            if (!IsSjisLeadByte(uchar(lead)))
                continue;
            for (int trail = 0x40; trail <= 0xFC; ++trail) {
                if (Column(uchar(trail)) >= 0)
                    Claim(DoubleByte(uchar(lead), uchar(trail)), std::uint16_t(lead << 8 | trail));
            }
        }
    }

    void Append(char16_t character, std::string &bytes) const
    {
        const std::uint16_t code = codes_[character];
        if (code == NoCode)
            bytes += '?';
        else if (code > 0xFF)
            bytes += {char(code >> 8), char(code & 0xFF)};
        else
            bytes += char(code);
    }

private:
    // No byte pair starts with 0xFF, so this is never a character's code.
    static constexpr std::uint16_t NoCode = 0xFFFF;

    // Some characters have several byte pairs (the NEC and IBM extensions copy
    // each other and the standard rows). Windows writes the first in byte
    // order, except that the NEC-selected copies of the IBM extensions (lead
    // bytes 0xED and 0xEE) give way to the IBM originals (0xFA-0xFC).
    void Claim(char16_t character, std::uint16_t code)
    {
        if (character == NotACharacter)
            return;
        std::uint16_t &slot = codes_[character];
        const std::uint16_t lead = slot >> 8;
        if (slot == NoCode || lead == 0xED || lead == 0xEE)
            slot = code;
    }

    std::array<std::uint16_t, 0x10000> codes_;
};

const Cp932Encoding &Encoding()
{
    static const Cp932Encoding encoding;
    return encoding;
}

// Length of the leading part of bytes that ends on a character boundary.
std::size_t CompleteLength(std::string_view bytes)
{
    std::size_t i = 0;
    while (i < bytes.size()) {
        const std::size_t width = IsSjisLeadByte(static_cast<unsigned char>(bytes[i])) ? 2 : 1;
        if (i + width > bytes.size())
            break;
        i += width;
    }
    return i;
}

} // namespace

QString DecodeSjis(std::string_view bytes)
{
    QString text;
    text.reserve(qsizetype(bytes.size()));
    for (std::size_t i = 0; i < bytes.size();) {
        const uchar b = uchar(bytes[i]);
        if (!IsSjisLeadByte(b)) {
            text += QChar(SingleByte(b));
            ++i;
            continue;
        }
        const char16_t pair = i + 1 < bytes.size() ? DoubleByte(b, uchar(bytes[i + 1])) : NotACharacter;
        text += QChar(pair);
        i += pair == NotACharacter ? 1 : 2;
    }
    return text;
}

QString DecodeSjisForDisplay(std::string_view bytes)
{
    return DecodeSjis(bytes.substr(0, CompleteLength(bytes)));
}

std::string EncodeSjis(const QString &text)
{
    const Cp932Encoding &encoding = Encoding();
    std::string bytes;
    bytes.reserve(std::size_t(text.size()) * 2);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        // A character beyond U+FFFF is outside the code page: one '?' for both halves.
        if (QChar::isHighSurrogate(unit) && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        encoding.Append(unit, bytes);
    }
    return bytes;
}

} // namespace ostrel
