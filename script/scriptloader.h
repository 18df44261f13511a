#pragma once

#include "replaymodel.h"

#include <QString>

#include <cstdio>

class LoaderHost;

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
class ScriptLoader {
public:
    ScriptLoader(ReplayModel &model, LoaderHost &host) : model_(model), host_(host) {}

    // True when the model now holds the file's tournament (also after the
    // incomplete-entrants message); false when the path is empty, the file
    // cannot be opened (no message, nothing changed) or it was refused.
    bool LoadScript(const QString &path);
    // The same for a file that is already open (tools and fuzzers read from
    // memory): resets the replay, then reads the file from its position.
    bool Load(std::FILE *file);

private:
    class Reader;

    ReplayModel &model_;
    LoaderHost &host_;
};
