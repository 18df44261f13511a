#pragma once

#include "arenagrid.h"
#include "replaymodel.h"

#include <thread>

// The map of a tournament that is being loaded. A file gives the header and
// the entrants first, and they are all a map needs, so the map is built and
// drawn on a second thread while the loader reads the events (for a large
// file, that and a process's first use of the label font take as long as
// reading several megabytes). Where no thread can be started, the map is
// built on the caller's thread.
class MapBuild {
public:
    // Starts on the model's header and entrants, which must not change until
    // TakeInto.
    void Start(const ReplayModel &model);
    // Waits for the map and moves it into grid. False when it was never
    // started or memory ran out building it; grid is then left as it was.
    bool TakeInto(ArenaGrid &grid);

private:
    void Build(const ReplayModel &model);

    ArenaGrid map_;
    bool built_ = false;
    std::jthread thread_;  // declared last: joined before the map goes
};
