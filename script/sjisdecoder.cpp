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

// Code page 932 as lookup tables. The double-byte characters come once from
// Qt's converter; the single bytes follow the code page's own table (ASCII
// with its control characters, half-width katakana, and 0x80, 0xA0 and
// 0xFD-0xFF mapped as Windows maps them), which the converter bends. Broken
// input decodes as it does with the common cp932 codecs: a lead byte that
// does not make a character with the byte after it becomes U+FFFD and that
// next byte is read afresh, so a cut character never swallows what follows.
class CodePage932 {
public:
    CodePage932()
    {
        QStringDecoder decoder("windows-31j");
        for (int b = 0; b < 256; ++b)
            single_[std::size_t(b)] = SingleByte(uchar(b));
        for (int lead = 0x81; lead <= 0xFC; ++lead) {
            if (!IsSjisLeadByte(uchar(lead)))
                continue;
            for (int trail = 0; trail < 256; ++trail) {
                const bool possible = IsSjisTrailByte(uchar(trail));
                double_[std::size_t(Row(uchar(lead)))][std::size_t(trail)] =
                    possible ? DecodePair(decoder, uchar(lead), uchar(trail)) : QChar(QChar::ReplacementCharacter);
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
                continue;
            }
            const QChar pair = i + 1 < bytes.size() ? double_[std::size_t(Row(b))][uchar(bytes[i + 1])]
                                                    : QChar(QChar::ReplacementCharacter);
            text += pair;
            i += pair == QChar::ReplacementCharacter ? 1 : 2;
        }
        return text;
    }

private:
    static QChar SingleByte(uchar b)
    {
        if (b <= 0x80)
            return QChar(b);
        if (b >= 0xA1 && b <= 0xDF)
            return QChar(0xFF61 + (b - 0xA1));  // half-width katakana
        if (b == 0xA0)
            return QChar(0xF8F0);
        if (b >= 0xFD)
            return QChar(0xF8F1 + (b - 0xFD));
        return QChar::ReplacementCharacter;  // lead bytes never stand alone
    }

    static int Row(uchar lead) { return lead <= 0x9F ? lead - 0x81 : lead - 0xE0 + 31; }

    // The converter marks an unassigned pair as an error or substitutes a
    // control character for it.
    static QChar DecodePair(QStringDecoder &decoder, uchar lead, uchar trail)
    {
        const char input[2] = {char(lead), char(trail)};
        const QString out = decoder.decode(QByteArrayView(input, 2));
        if (decoder.hasError()) {
            decoder = QStringDecoder("windows-31j");  // the error flag stays set otherwise
            return QChar::ReplacementCharacter;
        }
        return out.size() == 1 && out[0] != QChar(0x1A) ? out[0] : QChar(QChar::ReplacementCharacter);
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
