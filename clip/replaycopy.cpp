#include "replaycopy.h"

#include "replaysession.h"

#include <algorithm>

namespace ostrel {

ReplayCopy::ReplayCopy(const ReplayModel &model, const ArenaGrid &grid, const StepEngine &engine)
    : entrants_(model.Entrants), grid_(grid), engine_(model, entrants_, grid_)
{
    grid_.UseEntrants(entrants_);
    engine_.TakePositionOf(engine);
}

std::unique_ptr<ReplayCopy> ReplayCopy::Of(const ReplaySession &session)
{
    return std::make_unique<ReplayCopy>(session.Model(), session.Grid(), session.Engine());
}

void ReplayCopy::SeekTo(int position)
{
    engine_.SeekTo(std::clamp(position, 0, Maximum()));
}

} // namespace ostrel
