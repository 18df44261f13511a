#pragma once

#include "arenagrid.h"
#include "replaymodel.h"
#include "stepengine.h"

#include <memory>
#include <vector>

namespace ostrel {

class ReplaySession;

// A replay of its own over a loaded tournament: copies of the entrants and
// of the map as they stand, and an engine at the same position, which reads
// the model's steps (they never change once loaded) and moves only the
// copies. Moving it leaves the replay it was taken from where it is, so an
// export can walk a stretch of the tournament on a worker thread while the
// window plays on. The model must stay loaded while the copy is used.
class ReplayCopy {
public:
    ReplayCopy(const ReplayModel &model, const ArenaGrid &grid, const StepEngine &engine);
    // The replay of a session as it stands.
    static std::unique_ptr<ReplayCopy> Of(const ReplaySession &session);
    ReplayCopy(const ReplayCopy &) = delete;
    ReplayCopy &operator=(const ReplayCopy &) = delete;

    // Moves to position, clamped into 0 to Maximum().
    void SeekTo(int position);
    int CurrentPosition() const { return engine_.CurrentPosition(); }
    int Maximum() const { return engine_.Maximum(); }
    ArenaGrid &Grid() { return grid_; }
    const std::vector<Entrant> &Entrants() const { return entrants_; }

private:
    std::vector<Entrant> entrants_;
    ArenaGrid grid_;
    StepEngine engine_;
};

} // namespace ostrel
