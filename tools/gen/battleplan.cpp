#include "battleplan.h"

#include "seededrandom.h"

#include <algorithm>
#include <functional>

namespace ostrel {

namespace {

int DrawResultCode(SeededRandom &random, std::array<int, 2> startRates, BattlePlan::Endings allowed)
{
    if (allowed.NobodyOut && random.Percent(8))
        return BattlePlan::NobodyOut;
    if (allowed.BothOut && random.Percent(5))
        return BattlePlan::BothOut;
    // The fitter player wins more often, so that a worn-out winner of earlier
    // battles tends to go out in its next one.
    return random.Below(startRates[0] + startRates[1]) < startRates[0] ? BattlePlan::Player1Won
                                                                       : BattlePlan::Player2Won;
}

int DrawStepCount(SeededRandom &random)
{
    const int roll = random.Below(100);
    return roll < 30 ? 1 : roll < 60 ? 2 : roll < 80 ? 3 : roll < 92 ? 4 : 5;
}

int DrawOutStatus(SeededRandom &random)
{
    // Both kinds of ending that the map tells apart by bits 0x18.
    static constexpr int statuses[] = {0, 1, 4, 32, 8, 16, 24};
    return statuses[random.Below(int(std::size(statuses)))];
}

// Rates after each of steps fight steps, from start down to final: the last
// is final, the ones before it lie between, and none rises.
std::vector<int> FallingRates(SeededRandom &random, int start, int final, int steps)
{
    std::vector<int> rates(std::size_t(steps), final);
    const int lowest = std::max(final, 1);  // still standing until the last step
    for (int i = 0; i + 1 < steps; ++i)
        rates[std::size_t(i)] = random.Between(lowest, start);
    std::sort(rates.begin(), rates.end() - 1, std::greater<>());
    return rates;
}

} // namespace

BattlePlan BattlePlan::Make(SeededRandom &random, std::array<int, 2> startRates, Endings allowed)
{
    BattlePlan plan;
    plan.ResultCode = DrawResultCode(random, startRates, allowed);
    plan.OutStatus = plan.ResultCode == NobodyOut ? 0 : DrawOutStatus(random);
    const int steps = DrawStepCount(random);
    plan.RatesAfter.resize(std::size_t(steps));
    for (int side = 0; side < 2; ++side) {
        const int start = startRates[std::size_t(side)];
        const int final = plan.IsOut(side) ? 0 : std::max(1, start - random.Between(5, 45));
        const std::vector<int> rates = FallingRates(random, start, final, steps);
        for (int step = 0; step < steps; ++step)
            plan.RatesAfter[std::size_t(step)][std::size_t(side)] = rates[std::size_t(step)];
    }
    return plan;
}

bool BattlePlan::IsOut(int side) const
{
    switch (ResultCode) {
    case Player1Won: return side == 1;
    case Player2Won: return side == 0;
    case BothOut: return true;
    default: return false;
    }
}

} // namespace ostrel
