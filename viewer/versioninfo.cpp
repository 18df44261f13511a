#include "versioninfo.h"

#include "sjisdecoder.h"
#include "versionapi.h"

#include <cstring>

namespace ostrel {

VersionInfo::VersionInfo(const char *fileName)
{
    const uint32_t size = VersionApi::FileVersionInfoSize(fileName);
    if (size == 0)
        return;
    data_.resize(size);
    void *translation = nullptr;
    uint32_t length = 0;
    if (!VersionApi::FileVersionInfo(fileName, size, data_.data())
        || !VersionApi::QueryValue(data_.data(), "\\VarFileInfo\\Translation", &translation, &length)
        || length < sizeof(uint32_t)) {
        data_.clear();
        return;
    }
    // The entry holds language then code page as 16-bit little-endian words;
    // swapping the halves makes the value read language * 65536 + code page,
    // the order of the string block's name.
    translation_ = static_cast<uint32_t *>(translation);
    uint32_t value;
    std::memcpy(&value, translation_, sizeof value);
    value = (value << 16) | (value >> 16);
    std::memcpy(translation_, &value, sizeof value);
}

std::optional<QString> VersionInfo::GetFileVersion()
{
    if (data_.empty())
        return std::nullopt;
    uint32_t value;
    std::memcpy(&value, translation_, sizeof value);
    const QByteArray query = QStringLiteral("\\StringFileInfo\\%1\\%2")
                                 .arg(value, 8, 16, QLatin1Char('0'))
                                 .arg(QStringLiteral("FileVersion"))
                                 .toLatin1();
    void *text = nullptr;
    uint32_t length = 0;
    if (!VersionApi::QueryValue(data_.data(), query.constData(), &text, &length) || length == 0)
        return std::nullopt;
    const char *bytes = static_cast<const char *>(text);
    return DecodeSjis(std::string_view(bytes, ::strnlen(bytes, length)));
}

} // namespace ostrel
