#pragma once

#include "scriptloader.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <string>

namespace ostrel {

// A script file that is still being written, read into a model as it grows:
// the live loader, the file's path and what tells a replaced file. The
// file is opened anew for every read, so that a file renamed over the path
// or rewritten in place is seen, and no handle keeps a deleted file alive.
class LiveScript {
public:
    LiveScript(ReplayModel &model, QString path) : loader_(model), path_(std::move(path)) {}

    const QString &Path() const { return path_; }
    const ScriptLoader &Loader() const { return loader_; }

    enum class Look {
        Unchanged,  // no byte after the ones read
        Grown,
        Replaced,   // shorter than what was read, or the bytes read changed
        Unreadable, // gone, or cannot be opened or read
    };
    // What became of the file since the last read.
    Look Check();

    // Starts the live read from the file's start (Start of the loader).
    std::optional<LoadResult> Start();
    // Takes in what was appended; false when the file could not be read or
    // memory ran out.
    bool TakeIn(const ScriptLoader::Amending &amending);
    // Takes in the rest as a whole load would.
    bool Finish(const ScriptLoader::Amending &amending);

private:
    ScriptFile OpenAtRead();
    void KeepAnchors(std::FILE *file);

    ScriptLoader loader_;
    QString path_;
    // The first and the last bytes read (up to Anchor each): a rewrite
    // changes the header's date or the lines last read, and comparing them
    // costs a few kilobytes, not the file.
    static constexpr std::size_t Anchor = 4096;
    std::string head_;
    std::string tail_;
};

} // namespace ostrel
