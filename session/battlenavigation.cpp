#include "battlenavigation.h"

namespace ostrel {

std::optional<int> BattleStartBefore(const BattleTable &battles, int position)
{
    std::optional<int> found;
    for (const BattleEntry &battle : battles) {
        if (battle.StartPosition < position && (!found || battle.StartPosition > *found))
            found = battle.StartPosition;
    }
    return found;
}

std::optional<int> BattleStartAfter(const BattleTable &battles, int position)
{
    std::optional<int> found;
    for (const BattleEntry &battle : battles) {
        if (battle.StartPosition > position && (!found || battle.StartPosition < *found))
            found = battle.StartPosition;
    }
    return found;
}

} // namespace ostrel
