#pragma once

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace ostrel {

// The version data of one file, read once: the "FileVersion" text of the
// first translation is what the window's captions show.
class VersionInfo {
public:
    explicit VersionInfo(const char *fileName);

    // The "FileVersion" text of the first translation; none when the file has
    // no version data or the text is missing.
    std::optional<QString> GetFileVersion();

private:
    std::vector<unsigned char> data_;     // empty: no data held
    uint32_t *translation_ = nullptr;     // language << 16 | code page, inside data_
};

} // namespace ostrel
