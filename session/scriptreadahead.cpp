#include "scriptreadahead.h"

#include <system_error>

namespace ostrel {

ScriptReadAhead::ScriptReadAhead(ReplayModel &model, std::FILE *file)
{
    try {
        thread_ = std::jthread([this, &model, file] { Read(model, file); });
    } catch (const std::system_error &) {
        Read(model, file);
    }
}

void ScriptReadAhead::Read(ReplayModel &model, std::FILE *file)
{
    // Finish reads the result only once this thread has ended.
    result_ = ScriptLoader(model).Read(file, [this] { Announce(true, false); });
    Announce(false, true);
}

void ScriptReadAhead::Announce(bool entrantsIn, bool done)
{
    {
        const std::lock_guard lock(mutex_);
        entrantsIn_ = entrantsIn_ || entrantsIn;
        done_ = done_ || done;
    }
    announced_.notify_all();
}

bool ScriptReadAhead::WaitForEntrants()
{
    std::unique_lock lock(mutex_);
    announced_.wait(lock, [this] { return entrantsIn_ || done_; });
    return entrantsIn_;
}

LoadResult ScriptReadAhead::Finish()
{
    if (thread_.joinable())
        thread_.join();
    return result_;
}

} // namespace ostrel
