// Loads arbitrary bytes as the viewer does and, when they load, moves the
// replay over them as a user would: to the start, the end, the middle, back
// to the start, step by step forward, to a position that the input's last
// bytes pick, back to the middle, and the Quit button's reset. Every seek
// runs the engine, the map grid and its drawing and the battle list on
// hostile data; after each one the checks below hold whatever the data says.

#include "fuzzcheck.h"
#include "memoryfile.h"

#include "replaysession.h"

#include <QGuiApplication>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

using namespace ostrel;

namespace {

using Places = std::vector<std::pair<int32_t, int32_t>>;

// Where the entrants stand. Moves undo exactly, so this depends on the
// position alone, never on the road the replay took to it.
Places PlacesOf(const ReplaySession &viewer)
{
    Places places;
    for (const Entrant &e : viewer.Model().Entrants)
        places.emplace_back(e.X, e.Y);
    return places;
}

int BattlesBegunBy(const ReplayModel &model, int position)
{
    return int(std::count_if(model.Battles.begin(), model.Battles.end(),
                             [position](const BattleEntry &b) { return b.StartPosition <= position; }));
}

// What the viewer shows after a seek to position: the current step's digest
// and highlight (step 1 at the start, none at the end) and one list row per
// battle begun.
void CheckLanding(const ReplaySession &viewer, int position)
{
    const ReplayModel &model = viewer.Model();
    const StepEngine &engine = viewer.Engine();
    Require(engine.CurrentPosition() == position && viewer.SliderPosition() == position,
            "the engine stands where the slider does");
    const int steps = int(model.Steps.size());
    const int current = std::max(position, 1);
    const std::vector<std::string> &digest = viewer.Digest();
    if (current > steps) {
        Require(digest.empty() && !engine.HighlightActive(), "without a current step nothing is shown");
    } else {
        const bool fight = model.Steps[std::size_t(current - 1)].IsFight();
        Require(digest.size() == (fight ? 5u : 1u), "the digest has five lines for a fight, one for a move");
        Require(engine.HighlightActive() == fight, "exactly a fight step is highlighted");
    }
    for (const std::string &line : digest)
        TouchBytes(line);

    const BattleRows &list = viewer.BattleList();
    Require(list.RowCount() == BattlesBegunBy(model, position), "one row per battle begun");
    Require(list.SelectedRow() >= -1 && list.SelectedRow() < list.RowCount(), "the selection is a row or none");
    for (const BattleListControl::Row &row : list.Rows()) {
        for (const std::string &cell : row)
            TouchBytes(cell);
    }
}

void Seek(ReplaySession &viewer, int position)
{
    const int target = std::clamp(position, 0, viewer.SliderMax());
    const bool moves = target != viewer.SliderPosition();
    Require(viewer.MoveSlider(position) == moves, "a seek runs exactly when the slider moves");
    if (moves)
        CheckLanding(viewer, target);
}

void Replay(ReplaySession &viewer, uint8_t pickByte, uint8_t stepsByte)
{
    const int end = viewer.SliderMax();
    const int middle = end / 2;
    const Places atStart = PlacesOf(viewer);

    Seek(viewer, 0);
    Seek(viewer, end);
    Seek(viewer, middle);
    const Places atMiddle = PlacesOf(viewer);
    Seek(viewer, 0);
    Require(PlacesOf(viewer) == atStart, "the start after the whole replay is the start before it");
    for (int p = 1; p <= stepsByte % 32 + 1; ++p)
        Seek(viewer, p);
    Seek(viewer, int(int64_t(end) * pickByte / 255));
    Seek(viewer, middle);
    Require(PlacesOf(viewer) == atMiddle, "the middle is the same whichever way the replay reaches it");

    viewer.ResetToStart();
    Require(viewer.SliderPosition() == 0 && viewer.Engine().CurrentPosition() == 0, "a reset returns to 0");
    Require(viewer.Digest().empty() && viewer.BattleList().RowCount() == 0, "a reset empties the digest and the list");
    Require(PlacesOf(viewer) == atStart, "a reset restores the starting cells");
}

} // namespace

// fontconfig keeps allocations for the life of the process that Qt never
// hands back (it does not call FcFini); they are not the viewer's leaks.
extern "C" const char *__lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    // The map draws its labels with a font, which needs a GUI application;
    // no display is needed for drawing into an image. The application lives
    // for the whole run (QCoreApplication::instance() holds it), and gets
    // arguments of its own so that it takes none of the fuzzer's options.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz_replay";
    static char *argv[] = {name, nullptr};
    new QGuiApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size)
{
    const MemoryFile file = OpenMemory(data, size);
    if (!file)
        return 0;
    ReplaySession viewer;
    if (!viewer.Open(file.get()).Succeeded()) {
        Require(!viewer.MoveSlider(1), "the slider stays disabled until a file loads");
        return 0;
    }
    Require(viewer.Grid().IsDrawn(), "a loaded file has a map");
    const uint8_t pickByte = size >= 1 ? data[size - 1] : 0;
    const uint8_t stepsByte = size >= 2 ? data[size - 2] : 0;
    Replay(viewer, pickByte, stepsByte);
    return 0;
}
