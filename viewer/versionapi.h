#pragma once

#include <cstdint>

namespace ostrel {

// The three calls of the system's version API that the version caption needs.
// On Windows they are the system's own and read a file's version resource.
// Elsewhere there is no such resource: they serve the version block compiled
// into the program (from the same version data as the resource script) as the
// version data of the file named OSTREL_VERSION_FILE, and of no other file.
namespace VersionApi {

uint32_t FileVersionInfoSize(const char *fileName);
bool FileVersionInfo(const char *fileName, uint32_t size, void *data);
// Finds subBlock ("\VarFileInfo\Translation", "\StringFileInfo\<block>\<name>")
// in a block read by FileVersionInfo; buffer points into that block.
bool QueryValue(void *block, const char *subBlock, void **buffer, uint32_t *length);

} // namespace VersionApi

} // namespace ostrel
