#include "sjisdecoder.h"

#include "sjistext.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <array>

namespace {

bool IsSjisTrailByte(unsigned char byte)
{
    return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0x80 && byte <= 0xFC);
}

// The code page as a lookup table, built once from Qt's converter. A table
// keeps decoding independent of how the converter treats broken input (it
// drops a lone lead byte at the end and turns unmapped characters into a
// control character); here every byte sequence that is no character of the
// code page becomes U+FFFD.
class CodePage932 {
public:
    CodePage932()
    {
        QStringDecoder decoder("windows-31j");
        for (int b = 0; b < 256; ++b)
            single_[std::size_t(b)] = IsSjisLeadByte(uchar(b)) ? QChar::ReplacementCharacter : Decode(decoder, {char(b)});
        for (int lead = 0x81; lead <= 0xFC; ++lead) {
            if (!IsSjisLeadByte(uchar(lead)))
                continue;
            for (int trail = 0; trail < 256; ++trail) {
                const bool possible = IsSjisTrailByte(uchar(trail));
                double_[std::size_t(Row(uchar(lead)))][std::size_t(trail)] =
                    possible ? Decode(decoder, {char(lead), char(trail)}) : QChar::ReplacementCharacter;
            }
        }
    }

    QString Decode(std::string_view bytes) const
    {
        QString text;
        text.reserve(qsizetype(bytes.size()));
        for (std::size_t i = 0; i < bytes.size();) {
            const uchar b = uchar(bytes[i]);
            if (!IsSjisLeadByte(b)) {
                text += single_[b];
                ++i;
            } else if (i + 1 < bytes.size() && IsSjisTrailByte(uchar(bytes[i + 1]))) {
                text += double_[std::size_t(Row(b))][uchar(bytes[i + 1])];
                i += 2;
            } else {
                // A lead byte without its trail: the next byte starts afresh.
                text += QChar::ReplacementCharacter;
                ++i;
            }
        }
        return text;
    }

private:
    static int Row(uchar lead) { return lead <= 0x9F ? lead - 0x81 : lead - 0xE0 + 31; }

    static QChar Decode(QStringDecoder &decoder, std::initializer_list<char> bytes)
    {
        const QByteArray input(bytes.begin(), qsizetype(bytes.size()));
        const QString out = decoder.decode(input);
        const bool substituted = out == QChar(0x1A) && input != "\x1A";
        if (decoder.hasError()) {
            decoder = QStringDecoder("windows-31j");  // the error flag stays set otherwise
            return QChar::ReplacementCharacter;
        }
        return out.size() == 1 && !substituted ? out[0] : QChar(QChar::ReplacementCharacter);
    }

    std::array<QChar, 256> single_;
    std::array<std::array<QChar, 256>, 60> double_;
};

const CodePage932 &Table()
{
    static const CodePage932 table;
    return table;
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
    return Table().Decode(bytes);
}

QString DecodeSjisForDisplay(std::string_view bytes)
{
    return DecodeSjis(bytes.substr(0, CompleteLength(bytes)));
}

std::string EncodeSjis(const QString &text)
{
    QStringEncoder encoder("windows-31j");
    const QByteArray bytes = encoder.encode(text);
    return std::string(bytes.constData(), std::size_t(bytes.size()));
}
