// Feeds arbitrary bytes to the script loader and checks, after every load,
// the promises the loader makes about what it leaves behind: a model that
// the engine, the map and the lists can follow without bounds checks of
// their own beyond the entrant lookup. Then feeds the same bytes again as a
// file that grows in chunks, and checks that the live read gives what a
// whole load of the bytes taken in gives.

#include "fuzzcheck.h"
#include "memoryfile.h"
#include "modeldump.h"

#include "scriptloader.h"
#include "sjisdecoder.h"
#include "stringtable.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

using namespace ostrel;

namespace {

// Every text is read to its end and decoded as the lists, the digest and
// the tools decode it.
template <std::size_t Capacity>
void CheckText(const SjisText<Capacity> &text)
{
    const std::string_view bytes = text.View();
    Require(bytes.size() < Capacity, "a text keeps its terminator");
    TouchBytes(bytes);
    if (bytes.empty())
        return;
    Require(DecodeSjis(bytes).size() <= qsizetype(bytes.size())
                && DecodeSjisForDisplay(bytes).size() <= qsizetype(bytes.size()),
            "decoding gives at most one character per byte");
}

void CheckHeader(const ScriptHeader &h)
{
    Require(h.Version == "00.00.02", "only version 00.00.02 loads");
    Require(h.Xsize >= 0 && h.Ysize >= 0 && h.Xsize <= ScriptLimits::MaxArenaSide
                && h.Ysize <= ScriptLimits::MaxArenaSide
                && int64_t(h.Xsize) * h.Ysize <= ScriptLimits::MaxArenaCells,
            "the arena stays within the limits");
    Require(h.EntrantCount <= ScriptLimits::MaxEntrants, "the entrant count stays within the limit");
    for (const auto *text : {&h.Version, &h.ProgramVersion, &h.DateTime, &h.Torvex, &h.Stadium})
        CheckText(*text);
    CheckText(h.FileName);
}

// Complete blocks are in play (-1); the blocks after an incomplete one keep
// status 0. The message says exactly whether the last block was completed.
void CheckEntrants(const ReplayModel &model, bool incompleteMessage)
{
    Require(model.Entrants.size() == std::size_t(std::max(model.Header.EntrantCount, 0)),
            "one entrant record per announced entrant");
    bool inPlay = true;
    for (const Entrant &e : model.Entrants) {
        CheckText(e.Doller);
        CheckText(e.Owner);
        CheckText(e.Emblem);
        Require(e.HitPointRate == 0 || e.HitPointRate == 100, "an entrant starts at rate 0 or 100");
        Require(e.Status == -1 || e.Status == 0, "an entrant starts in play or unread");
        Require(inPlay || e.Status == 0, "the completed blocks come first");
        inPlay = e.Status == -1;
    }
    const bool complete = model.Entrants.empty() || model.Entrants.back().Status == -1;
    Require(complete != incompleteMessage, "the entrant message matches the entrant section");
}

void CheckSteps(const ReplayModel &model)
{
    for (const ReplayStep &step : model.Steps) {
        Require(bool(step.Fight) == step.IsFight() && bool(step.Move) != step.IsFight(),
                "a step carries exactly the payload of its kind");
        if (step.Move) {
            const std::size_t count = step.Move->Deltas.size();
            Require(count >= 1 && count <= MoveStep::MaxCount, "a move step holds 1 to 32767 moves");
            continue;
        }
        const FightRecord &fight = *step.Fight;
        Require(fight.BattleNo >= 1 && std::size_t(fight.BattleNo) <= model.Battles.size(),
                "a fight step names a battle of the table");
        for (const FightSide &side : fight.Side)
            CheckText(side.Guide);
    }
}

// Battle b begins at its first fight step, and battles begin in table order:
// the battle list stops at the first battle that has not begun.
void CheckBattles(const ReplayModel &model)
{
    const int64_t steps = int64_t(model.Steps.size());
    int64_t previousStart = 0;
    for (std::size_t i = 0; i < model.Battles.size(); ++i) {
        const BattleEntry &battle = model.Battles[i];
        Require(battle.StartPosition > previousStart && battle.StartPosition <= steps,
                "battles begin in table order, each at a step of the list");
        previousStart = battle.StartPosition;
        const ReplayStep &first = model.Steps[std::size_t(battle.StartPosition - 1)];
        Require(first.IsFight() && std::size_t(first.Fight->BattleNo) == i + 1,
                "a battle begins at a fight step of its own number");
        Require(battle.EndPosition >= battle.StartPosition && battle.EndPosition <= steps,
                "a battle ends between its start and the last step");
        Require(battle.StartTurn <= battle.EndTurn, "a battle ends no earlier than it begins");
    }
}

bool IsOneOf(const std::vector<int> &messages, std::initializer_list<int> ids)
{
    return messages.size() == 1 && std::find(ids.begin(), ids.end(), messages.front()) != ids.end();
}

struct WholeLoad {
    LoadResult Result;
    std::string Dump;  // the model, when it loaded
};

// Read of the first size bytes, as a fresh model.
WholeLoad LoadPrefix(const uint8_t *data, std::size_t size)
{
    WholeLoad load;
    const MemoryFile file = OpenMemory(data, size);
    if (!file)
        return load;
    ReplayModel model;
    load.Result = ScriptLoader(model).Read(file.get());
    if (load.Result.Succeeded())
        load.Dump = DumpModel(model);
    return load;
}

// The chunk sizes come from a hash of the input, so that a crash replays
// the same cuts: mostly a few bytes (inside a line, between CR and LF,
// inside a double-byte character), sometimes across many lines or a
// 511-byte piece of a long line.
class ChunkSizes {
public:
    ChunkSizes(const uint8_t *data, std::size_t size)
    {
        for (std::size_t i = 0; i < size; ++i)
            state_ = (state_ ^ data[i]) * 0x100000001b3u;
    }

    std::size_t Next()
    {
        // splitmix64
        uint64_t z = (state_ += 0x9e3779b97f4a7c15u);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9u;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebu;
        z ^= z >> 31;
        static constexpr std::size_t Spans[] = {3, 16, 64, 600, 4096};
        return 1 + std::size_t(z >> 8) % Spans[z % std::size(Spans)];
    }

private:
    uint64_t state_ = 0xcbf29ce484222325u;
};

// The input grows in chunks through Start, TakeIn and Finish. After the
// start and the 1st, 2nd, 4th, 8th ... take-in, the model must equal a
// whole load of the bytes taken in; after Finish, a whole load of the
// input. Every load, however short, sets up its win ledger (256 KiB) and
// the announced entrant table, so checking every chunk would slow the
// fuzzer about tenfold.
void CheckLiveRead(const uint8_t *data, std::size_t size, const WholeLoad &whole)
{
    ReplayModel model;
    ScriptLoader loader(model);
    ChunkSizes chunks(data, size);
    int takenIn = 0;
    const auto requireAsLoaded = [&] {
        ++takenIn;
        if ((takenIn & (takenIn - 1)) != 0)
            return;
        const WholeLoad prefix = LoadPrefix(data, std::size_t(loader.BytesTaken()));
        Require(prefix.Result.Succeeded() && prefix.Dump == DumpModel(model),
                "a take-in equals a whole load of the bytes taken in");
    };
    const ScriptLoader::Amending amending = [&](int step) {
        Require(step >= 1 && std::size_t(step) <= model.Steps.size(), "an amended step has been taken in");
    };
    std::size_t end = 0;
    bool finished = false;
    while (!finished) {
        // Each failed start reads the preamble again from the file's start:
        // the chunks before the start double, to keep that cost linear.
        end = std::min(size, end + std::max(chunks.Next(), loader.Started() ? 0 : end));
        finished = end == size;
        const MemoryFile file = OpenMemory(data, end);
        if (!file)
            return;
        if (!loader.Started()) {
            const std::optional<LoadResult> started = loader.Start(file.get());
            if (!started)
                continue;
            Require(started->Outcome != LoadResult::OutOfMemory, "a small input exhausts memory");
            if (!started->Succeeded()) {
                const WholeLoad prefix = LoadPrefix(data, end);
                Require(prefix.Result.Outcome == started->Outcome && prefix.Result.Messages == started->Messages,
                        "a live read refuses what a whole load refuses");
                Require(!whole.Result.Succeeded(), "a live read refuses no file that loads whole");
                return;
            }
            Require(loader.BytesTaken() <= end && loader.BytesRead() <= end, "a live read stays within the file");
            const WholeLoad prefix = LoadPrefix(data, std::size_t(loader.BytesTaken()));
            Require(prefix.Result.Succeeded() && prefix.Result.Messages == started->Messages
                        && prefix.Dump == DumpModel(model),
                    "a live start gives what a whole load of the bytes taken in gives");
            // The held tail of the whole input is still to come.
            if (!finished)
                continue;
        }
        Require(loader.BytesRead() <= end && std::fseek(file.get(), long(loader.BytesRead()), SEEK_SET) == 0,
                "a live read stays within the file");
        const uint64_t takenBefore = loader.BytesTaken();
        Require(finished ? loader.Finish(file.get(), amending) : loader.TakeIn(file.get(), amending),
                "a small input exhausts memory");
        Require(loader.BytesTaken() >= takenBefore && loader.BytesTaken() <= end,
                "a live read takes in more of the file, never less");
        if (!finished)
            requireAsLoaded();
    }
    // A live read starts only once the header and the entrants are whole.
    if (!loader.Started())
        return;
    Require(whole.Result.Succeeded() && whole.Dump == DumpModel(model),
            "a live read to the end equals a whole load");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size)
{
    const MemoryFile file = OpenMemory(data, size);
    if (!file)
        return 0;
    ReplayModel model;
    const LoadResult result = ScriptLoader(model).Read(file.get());

    // An input of a few kilobytes has no business exhausting memory.
    Require(result.Outcome != LoadResult::OutOfMemory, "a small input exhausts memory");
    if (!result.Succeeded()) {
        Require(IsOneOf(result.Messages, {IdsNotAScript, IdsTooLarge}), "a refused file says why, once");
        Require(!result.ModelReplaced && model.Entrants.empty() && model.Steps.empty() && model.Battles.empty(),
                "a refused file leaves the model alone");
        CheckLiveRead(data, size, {result, {}});
        return 0;
    }
    Require(result.ModelReplaced, "a loaded file replaces the model");
    Require(result.Messages.empty() || IsOneOf(result.Messages, {IdsBadEntrants}),
            "a loaded file shows at most the entrant message");
    CheckHeader(model.Header);
    CheckEntrants(model, !result.Messages.empty());
    CheckSteps(model);
    CheckBattles(model);
    CheckLiveRead(data, size, {result, DumpModel(model)});
    return 0;
}
