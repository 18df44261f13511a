#include "scripttrickle.h"

#include "seededrandom.h"

#include <algorithm>
#include <cmath>

namespace ostrel {

std::vector<qsizetype> TrickleCuts(const QByteArray &bytes, double linesPerTick, std::uint64_t seed)
{
    std::vector<qsizetype> lineEnds;
    for (qsizetype at = bytes.indexOf('\n'); at >= 0; at = bytes.indexOf('\n', at + 1))
        lineEnds.push_back(at + 1);
    if (lineEnds.empty() || lineEnds.back() != bytes.size())
        lineEnds.push_back(bytes.size());

    SeededRandom random(seed);
    std::vector<qsizetype> cuts;
    qsizetype written = 0;
    double lines = 0;
    while (written < bytes.size()) {
        lines += std::max(linesPerTick, 0.01);
        // After the tick's whole lines, the cut lands anywhere in the line
        // being written, so most chunks stop inside a line.
        const double whole = std::floor(lines);
        qsizetype cut = bytes.size();
        if (whole < double(lineEnds.size())) {
            const std::size_t line = std::size_t(whole);
            const qsizetype lineStart = line == 0 ? 0 : lineEnds[line - 1];
            const qsizetype span = lineEnds[line] - lineStart;
            cut = lineStart + qsizetype(random.Below(int(std::min<qsizetype>(span, 1 << 30)) + 1));
        }
        if (cut > written) {
            written = cut;
            cuts.push_back(cut);
        }
    }
    return cuts;
}

int TrickleTickMs(double linesPerSecond)
{
    constexpr int TickMs = 100;
    if (linesPerSecond >= 1000.0 / TickMs)
        return TickMs;
    return int(std::lround(1000.0 / std::max(linesPerSecond, 0.001)));
}

} // namespace ostrel
