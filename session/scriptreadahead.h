#pragma once

#include "replaymodel.h"
#include "scriptloader.h"

#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <thread>

namespace ostrel {

// Reads a script file into a model on a second thread, so that the caller can
// build the map meanwhile: a file gives the header and the entrants first,
// and they are all a map needs. For a large file the map, and a process's
// first use of the label font, take as long as reading several megabytes.
//
// The reading thread runs the loader alone, which uses no Qt: the font and
// painting work stays on the caller's thread, and the reading thread leaves
// no per-thread state behind for any library to clean up as it ends. Where
// no thread can be started, the file is read on the caller's thread at once.
class ScriptReadAhead {
public:
    ScriptReadAhead(ReplayModel &model, std::FILE *file);

    // Waits until the header has been accepted and the entrants read (true;
    // from then on the read changes neither, so the caller may read them), or
    // until the read has ended without getting that far (false).
    bool WaitForEntrants();
    // Waits for the end of the read.
    LoadResult Finish();

private:
    void Read(ReplayModel &model, std::FILE *file);
    void Announce(bool entrantsIn, bool done);

    std::mutex mutex_;
    std::condition_variable announced_;
    bool entrantsIn_ = false;
    bool done_ = false;
    LoadResult result_;
    std::jthread thread_;  // declared last: joined before the rest goes
};

} // namespace ostrel
