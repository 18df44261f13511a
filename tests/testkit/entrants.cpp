#include "entrants.h"

namespace ostrel {

Entrant MakeEntrant(std::string_view emblem, int x, int y, int rate, int status, std::string_view name,
                    std::string_view owner)
{
    Entrant entrant;
    entrant.Emblem.Assign(emblem);
    entrant.Doller.Assign(name);
    entrant.Owner.Assign(owner);
    entrant.X = x;
    entrant.Y = y;
    entrant.HitPointRate = rate;
    entrant.Status = status;
    return entrant;
}

} // namespace ostrel
