#include "sjisdecoder.h"

#include "sjistext.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {

// Length of the leading part of bytes that holds whole characters only.
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
    QStringDecoder decoder("windows-31j");
    return decoder.decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
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
