#include "versionapi.h"

#include "versiondata.h"

#include <QByteArray>
#include <QString>

#include <cstring>

namespace ostrel {

// The built-in block is a sequence of entries, each a NUL-terminated query
// path, a 16-bit little-endian value length and the value's bytes.
namespace {

void AppendEntry(QByteArray &block, const char *path, const QByteArray &value)
{
    block.append(path).append('\0');
    block.append(char(value.size() & 0xFF)).append(char(value.size() >> 8));
    block.append(value);
}

// The values served here are ASCII, the same in every code page.
QByteArray Text(const char *ascii)
{
    return QByteArray(ascii).append('\0');
}

const QByteArray &BuiltInBlock()
{
    static const QByteArray block = [] {
        QByteArray b;
        const char translation[4] = {char(OSTREL_TRANSLATION_LANGUAGE & 0xFF), char(OSTREL_TRANSLATION_LANGUAGE >> 8),
                                     char(OSTREL_TRANSLATION_CODEPAGE & 0xFF), char(OSTREL_TRANSLATION_CODEPAGE >> 8)};
        AppendEntry(b, "\\VarFileInfo\\Translation", QByteArray(translation, 4));
        const QByteArray prefix = "\\StringFileInfo\\" OSTREL_STRING_BLOCK "\\";
        AppendEntry(b, prefix + "FileVersion", Text(OSTREL_FILE_VERSION));
        AppendEntry(b, prefix + "ProductVersion", Text(OSTREL_PRODUCT_VERSION));
        AppendEntry(b, prefix + "InternalName", Text(OSTREL_INTERNAL_NAME));
        AppendEntry(b, prefix + "OriginalFilename", Text(OSTREL_ORIGINAL_FILENAME));
        return b;
    }();
    return block;
}

} // namespace

namespace VersionApi {

uint32_t FileVersionInfoSize(const char *fileName)
{
    return QString::fromLatin1(fileName).compare(OSTREL_VERSION_FILE, Qt::CaseInsensitive) == 0
        ? uint32_t(BuiltInBlock().size())
        : 0;
}

bool FileVersionInfo(const char *fileName, uint32_t size, void *data)
{
    if (FileVersionInfoSize(fileName) == 0 || size < uint32_t(BuiltInBlock().size()))
        return false;
    std::memcpy(data, BuiltInBlock().constData(), std::size_t(BuiltInBlock().size()));
    return true;
}

bool QueryValue(void *block, const char *subBlock, void **buffer, uint32_t *length)
{
    char *p = static_cast<char *>(block);
    char *const end = p + BuiltInBlock().size();
    while (p < end) {
        const std::size_t pathLength = std::strlen(p);
        unsigned char *sizeBytes = reinterpret_cast<unsigned char *>(p + pathLength + 1);
        const uint32_t valueLength = uint32_t(sizeBytes[0]) | uint32_t(sizeBytes[1]) << 8;
        char *value = p + pathLength + 3;
        if (qstricmp(p, subBlock) == 0) {
            *buffer = value;
            *length = valueLength;
            return true;
        }
        p = value + valueLength;
    }
    return false;
}

} // namespace VersionApi

} // namespace ostrel
