#include "versionapi.h"

#include <windows.h>

namespace ostrel {

namespace VersionApi {

uint32_t FileVersionInfoSize(const char *fileName)
{
    DWORD handle = 0;
    return GetFileVersionInfoSizeA(fileName, &handle);
}

bool FileVersionInfo(const char *fileName, uint32_t size, void *data)
{
    return GetFileVersionInfoA(fileName, 0, size, data) != FALSE;
}

bool QueryValue(void *block, const char *subBlock, void **buffer, uint32_t *length)
{
    UINT len = 0;
    const bool found = VerQueryValueA(block, subBlock, buffer, &len) != FALSE;
    *length = len;
    return found;
}

} // namespace VersionApi

} // namespace ostrel
