#pragma once

#include "sjistext.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace ostrel {

// The in-memory form of one loaded tournament. Plain records; after a load
// only X, Y, HitPointRate and Status of the entrants change (the step engine
// keeps them in line with the replay position).

struct ScriptHeader {
    int32_t HeaderLines = 0;
    SjisText<256> FileName;
    SjisText<80> Version;
    SjisText<80> ProgramVersion;
    SjisText<80> DateTime;
    SjisText<80> Torvex;
    SjisText<80> Stadium;
    int32_t Xsize = 0;
    int32_t Ysize = 0;
    int32_t EntrantCount = 0;
    int32_t EntrantLines = 0;
    int32_t MoveLines = 0;
    int32_t FightLines = 0;
};

// A field whose line the file does not give keeps its zero value.
struct Entrant {
    SjisText<80> Doller;   // name
    SjisText<80> Owner;
    SjisText<32> Emblem;   // its first two bytes label the entrant on the map
    int32_t X = 0;
    int32_t Y = 0;
    int32_t HitPoint[6] = {};
    int32_t HitPointRate = 0;  // percent
    int32_t Status = 0;        // -1 in play, otherwise the status it went out with
};

struct MoveDelta {
    int16_t EntrantIndex = 0;
    int8_t Dx = 0;
    int8_t Dy = 0;
};

// The moves of one turn, in file order; the same order is used to undo them.
struct MoveStep {
    static constexpr std::size_t MaxCount = INT16_MAX;  // the count is a 16-bit field
    std::vector<MoveDelta> Deltas;
};

// A large tournament holds tens of thousands of fight records: the fields are
// ordered so that no padding lies between them.
struct FightSide {
    int16_t EntrantIndex = -1;  // -1 until the side's Status line names a player
    int16_t StatusRest[6] = {};
    int8_t RateAfter = 0;   // the player's hit-point rate after this fight step
    int8_t RateBefore = 0;  // and before it, restored when the step is undone
    SjisText<256> Guide;
};

struct FightRecord {
    int16_t BattleNo = 0;
    int8_t LeadSide = 0;    // 0: player 1 is listed first in the digest
    int8_t Distance = 0;
    int8_t ResultInfo = 0;
    int8_t ResultCode = -1; // -1 nobody out, 0 player 1 won, 1 player 2 won, 2 both out
    int8_t OutStatus = 0;
    FightSide Side[2];      // player 1, player 2
};

// The fight records of a model, in chunks that never move, so that steps can
// point at them. A tournament has tens of thousands of them: one allocation
// per chunk instead of one per record.
class FightRecordPool {
public:
    // A new record with its defaults.
    FightRecord &Add()
    {
        if (usedInLast_ == ChunkSize) {
            chunks_.push_back(std::make_unique<FightRecord[]>(ChunkSize));
            usedInLast_ = 0;
        }
        return chunks_.back()[usedInLast_++];
    }
    void Clear()
    {
        chunks_.clear();
        usedInLast_ = ChunkSize;
    }

private:
    static constexpr std::size_t ChunkSize = 4096;
    std::vector<std::unique_ptr<FightRecord[]>> chunks_;
    std::size_t usedInLast_ = ChunkSize;
};

enum StepKind : uint8_t { FightStepKind = 0, MoveStepKind = 1 };

// One step of the replay. Kind 0 is a fight step; any other kind is a move
// step. Exactly the payload that matches the kind is present.
struct ReplayStep {
    int16_t Turn = 0;
    uint8_t Kind = MoveStepKind;
    std::unique_ptr<MoveStep> Move;
    FightRecord *Fight = nullptr;  // in the model's FightRecords

    bool IsFight() const { return Kind == FightStepKind; }
};

struct BattleEntry {
    int32_t StartTurn = 0;
    int32_t EndTurn = 0;
    int32_t StartPosition = 0;  // replay position at which its first fight step is applied
    int32_t EndPosition = 0;    // position at which its result is read
    int16_t Player1 = -1;
    int16_t Player2 = -1;
    int16_t Player1Wins = 0;    // battles each player had won before this one
    int16_t Player2Wins = 0;
    int32_t ResultInfo = 0;
    int32_t ResultCode = -1;
    int32_t OutStatus = 0;
};

using StepList = std::vector<ReplayStep>;    // step k is at index k - 1
using BattleTable = std::vector<BattleEntry>; // battle number b is at index b - 1

struct ReplayModel {
    ScriptHeader Header;
    std::vector<Entrant> Entrants;  // empty before the first load
    StepList Steps;
    BattleTable Battles;
    FightRecordPool FightRecords;

    // The entrant with this index, or null when the index lies outside the
    // table (files may name entrants that do not exist).
    Entrant *EntrantAt(int index)
    {
        return index >= 0 && std::size_t(index) < Entrants.size() ? &Entrants[std::size_t(index)] : nullptr;
    }
    const Entrant *EntrantAt(int index) const { return const_cast<ReplayModel *>(this)->EntrantAt(index); }

    // Frees the entrant table, the battles and the steps; the header stays.
    void Clear()
    {
        Entrants = std::vector<Entrant>();
        Battles = BattleTable();
        Steps = StepList();
        FightRecords.Clear();
    }
};

} // namespace ostrel
