// The whole-tournament views on the largest tournaments, each set against the
// load measured in the same process: the index built at every load (alive
// counts, battle numbers, battles by entrant), the entrant search built on
// first use and one keystroke of it, and one entrant's history. The index is
// part of the session's load; the plain load is the rest.
//
//   bench_views    generate the inputs and measure them

#include "benchinputs.h"
#include "replaysession.h"
#include "stopwatch.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <optional>
#include <cstdio>
#include <vector>

using namespace ostrel;

namespace {

// The machine is shared: every figure is the median of five runs.
template <typename F>
double MedianSeconds(F &&work)
{
    std::vector<double> times;
    for (int run = 0; run < 5; ++run)
        times.push_back(Seconds(work));
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// The entrant in the most battles: the longest history there is.
int BusiestEntrant(const ReplaySession &session)
{
    int busiest = 0;
    std::size_t most = 0;
    for (int entrant = 0; entrant < int(session.Model().Entrants.size()); ++entrant) {
        const std::size_t battles = session.Index().BattlesOf(entrant).size();
        if (battles > most) {
            most = battles;
            busiest = entrant;
        }
    }
    return busiest;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    // A user types a name a character at a time; the texts are in the
    // generator's name pool, and the half-width form must find them too.
    const std::vector<QString> keystrokes = {QStringLiteral("ク"), QStringLiteral("クロ"), QStringLiteral("ｸﾛｳ"),
                                             QStringLiteral("rx")};
    QTemporaryDir dir;
    std::printf("%-18s %6s %8s %8s %7s %8s %7s %9s %7s %8s %7s %8s %7s %6s %6s\n", "input", "MB", "load ms", "plain ms",
                "index", "index %", "search", "search %", "find", "find %", "history", "hist %", "views %",
                "found", "cells");
    for (const BenchInput &input : LargeInputs) {
        const QString path = WriteInput(dir.path(), input);
        if (path.isEmpty())
            return 1;

        ReplaySession session;
        const double load = MedianSeconds([&] { session.OpenScript(path); });
        // Right after the load the entrants hold the file's state, as the
        // index's build requires.
        TournamentIndex index;
        const double indexBuild = MedianSeconds([&] { index.Build(session.Model()); });
        const double plain = load - indexBuild;
        std::optional<EntrantSearch> search;
        const double searchBuild = MedianSeconds([&] { search.emplace(session.Model()); });
        double slowestFind = 0;
        std::size_t found = 0;
        for (const QString &text : keystrokes)
            slowestFind = std::max(slowestFind, MedianSeconds([&] { found = search->Find(text).size(); }));
        const int busiest = BusiestEntrant(session);
        std::size_t cells = 0;
        const double history =
            MedianSeconds([&] { cells = index.HistoryOf(session.Model(), busiest).Cells.size(); });
        const auto percent = [&](double seconds) { return 100 * seconds / plain; };
        std::printf("%-18s %6.2f %8.1f %8.1f %7.1f %7.1f%% %7.1f %8.1f%% %7.2f %7.2f%% %7.2f %7.2f%% %6.1f%% %6zu "
                    "%6zu\n",
                    input.Name, double(QFileInfo(path).size()) / 1e6, load * 1e3, plain * 1e3, indexBuild * 1e3, percent(indexBuild),
                    searchBuild * 1e3, percent(searchBuild), slowestFind * 1e3, percent(slowestFind), history * 1e3,
                    percent(history), percent(indexBuild + searchBuild + history), found, cells);
        std::fflush(stdout);
    }
    std::printf("ms are medians of 5 runs in one process; load is the session's (it builds the index), plain the "
                "load without the index; each %% is of the plain load; find is the slowest of the keystrokes "
                "ク, クロ, ｸﾛｳ, rx on the built search; found counts the last one's entrants; history is the "
                "entrant in the most battles (cells: its cells); views is index + search + history\n");
    return 0;
}
