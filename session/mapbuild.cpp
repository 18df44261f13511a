#include "mapbuild.h"

#include <new>
#include <system_error>

void MapBuild::Start(const ReplayModel &model)
{
    try {
        thread_ = std::jthread([this, &model] { Build(model); });
    } catch (const std::system_error &) {
        Build(model);
    }
}

void MapBuild::Build(const ReplayModel &model)
{
    try {
        map_.Build(model.Header, model.Entrants);
        map_.DrawAll();
        built_ = true;
    } catch (const std::bad_alloc &) {
        built_ = false;
    }
}

bool MapBuild::TakeInto(ArenaGrid &grid)
{
    if (thread_.joinable())
        thread_.join();
    if (!built_)
        return false;
    grid = std::move(map_);
    built_ = false;
    return true;
}
