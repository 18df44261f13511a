// Loading and replaying a large generated tournament: load speed, a seek over
// the whole replay and back, and the cost of one play tick once the battle
// list is long. Alternatives are timed side by side in the same run:
// - win counts from the running ledger against a scan of the battle table
//   each time a player is named (the obvious way, quadratic in battles);
// - a play tick against the same step without the battle list refresh.

#include "battlelist.h"
#include "replaysession.h"
#include "stopwatch.h"
#include "tournamentgenerator.h"

#include <QGuiApplication>
#include <QTemporaryFile>

#include <chrono>
#include <cstdio>

using namespace ostrel;

namespace {



// The scan that the ledger replaces: every battle naming the entrant and won
// by it, as the table stood when the battle's players were named.
long long ScanWinCounts(const ReplayModel &model)
{
    long long total = 0;
    for (std::size_t b = 0; b < model.Battles.size(); ++b) {
        for (int16_t player : {model.Battles[b].Player1, model.Battles[b].Player2}) {
            for (std::size_t i = 0; i < b; ++i) {
                const BattleEntry &e = model.Battles[i];
                total += (e.Player1 == player && e.ResultCode == 0) || (e.Player2 == player && e.ResultCode == 1);
            }
        }
    }
    return total;
}

// The same totals as the loader's ledger recorded them.
long long LedgerWinCounts(const ReplayModel &model)
{
    long long total = 0;
    for (const BattleEntry &e : model.Battles)
        total += e.Player1Wins + e.Player2Wins;
    return total;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    TournamentOptions options;
    options.Seed = 7;
    options.Entrants = 20000;
    options.Width = 200;
    options.Height = 200;
    const QByteArray script = TournamentGenerator::Generate(options);
    QTemporaryFile file;
    if (!file.open() || file.write(script) != script.size())
        return 1;
    file.close();

    ReplaySession viewer;
    const double load = Seconds([&] { viewer.OpenScript(file.fileName()); });
    const ReplayModel &model = viewer.Model();
    const int steps = int(model.Steps.size());
    std::printf("tournament: %d entrants, %d x %d, %d steps, %zu battles, %.1f MB\n", options.Entrants,
                options.Width, options.Height, steps, model.Battles.size(), script.size() / 1e6);
    std::printf("load (with map drawing): %.3f s, %.1f MB/s\n", load, script.size() / 1e6 / load);

    const double forward = Seconds([&] { viewer.MoveSlider(steps + 1); });
    const double backward = Seconds([&] { viewer.MoveSlider(0); });
    std::printf("seek 0 -> end: %.3f s (%.2f us/step); end -> 0: %.3f s\n", forward, forward / steps * 1e6, backward);

    // Play ticks near the end, where the battle list holds nearly every battle.
    const int first = steps - 400;
    viewer.MoveSlider(first);
    const double ticks = Seconds([&] {
        for (int p = first + 1; p <= first + 200; ++p)
            viewer.MoveSlider(p);
    });
    // The same 200 refreshes with every row rewritten, and with the memo that
    // rewrites only the rows whose texts can have changed.
    const auto refreshAll = [&](auto &&refresh) {
        return Seconds([&] {
            for (int p = first + 1; p <= first + 200; ++p)
                refresh(p, &model.Steps[std::size_t(p - 1)]);
        });
    };
    BattleRows everyRow;
    BattleRows changedRows;
    BattleListMemo memo;
    const double rewriting = refreshAll([&](int p, const ReplayStep *r) {
        ::RefreshBattleList(model, p, steps + 1, r, everyRow);
    });
    const double remembering = refreshAll([&](int p, const ReplayStep *r) {
        ::RefreshBattleList(model, p, steps + 1, r, changedRows, memo);
    });
    std::printf("play tick with %zu rows: %.3f ms in all\n", everyRow.Rows().size(), ticks / 200 * 1e3);
    std::printf("battle list refresh: every row rewritten %.3f ms, changed rows only %.3f ms: ratio %.1f "
                "(lists equal: %s)\n",
                rewriting / 200 * 1e3, remembering / 200 * 1e3, rewriting / remembering,
                everyRow.Rows() == changedRows.Rows() ? "yes" : "NO");

    long long scanned = 0;
    const double scan = Seconds([&] { scanned = ScanWinCounts(model); });
    std::printf("win counts for %zu battles: table scans alone %.3f s against the whole load with the "
                "ledger %.3f s: scans / load = %.1f (wins counted: scan %lld, ledger %lld)\n",
                model.Battles.size(), scan, load, scan / load, scanned, LedgerWinCounts(model));
    return 0;
}
