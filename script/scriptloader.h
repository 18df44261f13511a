#pragma once

#include "replaymodel.h"

#include <QString>

#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace ostrel {

// Limits beyond which a file is refused (message IdsTooLarge) instead of
// loaded: the whole map of the arena must stay allocatable as one image
// (25 pixels a cell) for export, and the entrant table within reason. Events name
// entrants by 16-bit indices, so no file can make more than 32768 of them
// move or fight; the entrant limit leaves ample room above that while a
// header alone cannot claim hundreds of megabytes. Negative sizes are
// refused too.
struct ScriptLimits {
    static constexpr int32_t MaxArenaSide = 1000;
    static constexpr int64_t MaxArenaCells = 200000;
    static constexpr int32_t MaxEntrants = 100000;
};

// How a load ended, and the string-table messages it has for the user, in
// the order they arose.
struct LoadResult {
    enum Ending {
        Loaded,       // the model holds the file's tournament (possibly with IdsBadEntrants)
        NotOpened,    // the file could not be opened: nothing changed, no message
        Refused,      // the header was refused: the previous tournament stays
        OutOfMemory,  // memory ran out part-way: the model is incomplete
    };
    Ending Outcome = NotOpened;
    std::vector<int> Messages;
    // The header was accepted, so the previous tournament is gone and
    // anything that pointed into it must forget it.
    bool ModelReplaced = false;

    bool Succeeded() const { return Outcome == Loaded; }
};

// Reads a script file into the model, front to back, in three sections: the
// header (refused unless its version is "00.00.02"), the entrant blocks and
// the events. The old model is replaced only once the new header has been
// accepted.
//
// Data that breaks the model's invariants is never followed out of bounds:
// - a Fight line whose battle number is below 1 or more than one above the
//   highest so far is passed over with the Status, Guide, HitPoint and Result
//   lines that follow it (as are such lines before the first Fight line);
// - entrant indices outside the table are stored as read; everything that
//   uses them (hit-point tracking here, the engine, the map, the lists)
//   skips them, and an unknown entrant's tracked hit-point rate reads 100;
// - a turn may hold more Move lines than it has entrants in play: the move
//   step grows (up to 32767 moves, the width of its count; more are dropped);
// - an entrant count of 0 or less gives an empty entrant table;
// - a list value that a line leaves missing keeps the value its field had.
//
// A file that is still being written is read live: Start, then TakeIn each
// time the file has grown, then Finish. A live read takes in whole lines
// only, holding an unterminated tail until its line end arrives, and keeps
// its place and the state of the events between calls, so that taking in
// what was appended costs what was appended. After every call the model is
// exactly what Read makes of the bytes taken in (BytesTaken()): the lines
// go through the same code in the same order, and no line is read before
// its line end, so none is read differently than a whole load reads it.
class ScriptLoader {
public:
    explicit ScriptLoader(ReplayModel &model);
    ~ScriptLoader();

    // Reads the file from its position into the model. Nothing is shown: the
    // caller shows the result's messages once the load is over.
    //
    // entrantsRead, when given, is called once the header has been accepted
    // and the entrant table read, before the events: from then on the load
    // changes neither the header nor the entrants, so another thread may read
    // them while the events are read. Every load that ends Loaded calls it.
    LoadResult Read(std::FILE *file, const std::function<void()> &entrantsRead = {});

    // Starts a live read of the file from its position. nullopt, leaving
    // the model alone, while the file does not yet hold its whole header and
    // entrant section (the caller tries again from the file's start later);
    // otherwise the result of the load, as Read gives it.
    std::optional<LoadResult> Start(std::FILE *file);
    // Takes in the lines completed since the last call; file stands at
    // BytesRead() (it may be the same stream, or the file opened anew).
    // False when memory ran out (the model is then incomplete).
    //
    // New lines mostly add steps, but some change steps taken in already: a
    // Move line joins its turn's open move step, wherever it stands, and the
    // Status, Guide, HitPoint and Result lines fill the current fight. Before
    // the first such change of a step, amending is called with its number
    // (from 1; again for a lower one), so that whoever applied the step can
    // take it back while it still reads as it did.
    using Amending = std::function<void(int step)>;
    bool TakeIn(std::FILE *file, const Amending &amending = {});
    // Takes in the rest, an unterminated last line as Read takes it; the
    // read is over then.
    bool Finish(std::FILE *file, const Amending &amending = {});

    bool Started() const { return bool(live_); }
    // The bytes of the file that the model reflects; always at a line end
    // until Finish (a line longer than 64 KiB excepted, which goes in pieces).
    uint64_t BytesTaken() const;
    // Where the next TakeIn reads on: the held tail has been read already.
    uint64_t BytesRead() const;
    // The events' End line has been read: later lines are never read.
    bool Ended() const;
    // The battle (from 1) that later lines may still change; 0 when none.
    int OpenBattle() const;

private:
    class Reader;

    bool ReadPreamble(Reader &reader, std::size_t bytesLeft, LoadResult &result, bool live);
    bool ReadOn(std::FILE *file, bool holdTail, const Amending &amending);

    ReplayModel &model_;
    std::unique_ptr<Reader> live_;
};

struct FileCloser {
    void operator()(std::FILE *file) const { std::fclose(file); }
};
using ScriptFile = std::unique_ptr<std::FILE, FileCloser>;

// Opens a script file for reading (through the wide-character path on
// Windows); null when the path is empty, names a folder or cannot be opened.
ScriptFile OpenScriptFile(const QString &path);

} // namespace ostrel
