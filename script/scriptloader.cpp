#include "scriptloader.h"

#include "scriptkeys.h"
#include "scriptline.h"
#include "winledger.h"

#include "stringtable.h"

#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <new>

namespace ostrel {

namespace {

constexpr std::size_t MaxReservedMoves = 256;

bool WithinLimits(const ScriptHeader &header)
{
    const int64_t cells = int64_t(header.Xsize) * header.Ysize;
    return header.Xsize >= 0 && header.Ysize >= 0
        && header.Xsize <= ScriptLimits::MaxArenaSide && header.Ysize <= ScriptLimits::MaxArenaSide
        && cells <= ScriptLimits::MaxArenaCells && header.EntrantCount <= ScriptLimits::MaxEntrants;
}

// The bytes from the file's position to its end, or 0 when that cannot be
// told (a pipe, say). Asked before anything is read from the file.
std::size_t BytesLeft(std::FILE *file)
{
    const long at = std::ftell(file);
    if (at < 0 || std::fseek(file, 0, SEEK_END) != 0)
        return 0;
    const long end = std::ftell(file);
    if (std::fseek(file, at, SEEK_SET) != 0)
        return 0;
    return end > at ? std::size_t(end - at) : 0;
}

// Room for the steps and battles the header announces, so that the largest
// tables are not copied over and over as they grow. Room is only address
// space until it is used, but a header may announce anything: no more is
// reserved than the rest of the file has lines for.
void ReserveTables(ReplayModel &model, const ScriptHeader &header, std::size_t bytesLeft)
{
    constexpr std::size_t ShortestStepLine = 6;  // "Move:" and a line end
    const std::size_t most = bytesLeft / ShortestStepLine;
    const auto announced = [](int32_t count) { return std::size_t(std::max(count, 0)); };
    model.Steps.reserve(std::min(announced(header.FightLines) + announced(header.MoveLines), most));
    model.Battles.reserve(std::min(announced(header.FightLines), most));
}

} // namespace

// The state of one load: the line buffer and what the event section tracks.
class ScriptLoader::Reader {
public:
    Reader(std::FILE *file, ReplayModel &model) : lines_(file), model_(model) {}

    // Reads the next keyed line; false at the end of the file.
    bool NextKeyedLine(std::string_view &key, const char *&value);

    // Each says whether its section is complete; false when the lines ran out.
    bool ReadHeader(ScriptHeader &header);
    bool ReadEntrants(std::vector<Entrant> &entrants, int32_t linesPerBlock);
    bool ReadEvents();

    LineReader &Lines() { return lines_; }
    const LineReader &Lines() const { return lines_; }
    // From now on, amending is told the number of a step that existed
    // already before a line changes it (once per step, lowest first).
    void WatchAmendments(const ScriptLoader::Amending &amending)
    {
        amending_ = amending;
        amendFloor_ = int(model_.Steps.size()) + 1;
    }
    // Reads on after the lines ran out.
    void Resume(std::FILE *file)
    {
        lines_.Resume(file);
        atEnd_ = false;
    }
    bool Ended() const { return ended_; }
    // The battle (from 1) that later Status and Result lines change; 0 when none.
    int CurrentBattle() const { return currentFight_ ? currentBattle_ : 0; }

private:
    void OnMove(const char *value);
    void OnFight(const char *value);
    void OnStatus(int side, const char *value);
    void OnGuide(int side, const char *value);
    void OnHitPoint(int side, const char *value);
    void OnResult(const char *value);

    void Amend(int step)
    {
        if (step < amendFloor_) {
            amendFloor_ = step;
            if (amending_)
                amending_(step);
        }
    }
    int8_t TrackedRate(int entrant) const;
    int CountWins(int entrant) const { return ledger_.Wins(int16_t(entrant)); }
    BattleEntry &CurrentBattleEntry() { return model_.Battles[std::size_t(currentBattle_ - 1)]; }

    LineReader lines_;
    bool atEnd_ = false;
    ReplayModel &model_;

    bool ended_ = false;
    int turnCounter_ = 0;
    MoveStep *openMoveStep_ = nullptr;
    int openMoveStepNumber_ = 0;
    FightRecord *currentFight_ = nullptr;  // none until a Fight line with a valid battle number
    int currentFightStepNumber_ = 0;
    int currentBattle_ = 0;
    int entrantsInPlay_ = 0;
    std::vector<int8_t> hitPointTrack_;
    WinLedger ledger_;
    ScriptLoader::Amending amending_;
    int amendFloor_ = 0;
};

bool ScriptLoader::Reader::NextKeyedLine(std::string_view &key, const char *&value)
{
    while (!atEnd_) {
        LinePiece line;
        if (!lines_.ReadLine(line)) {
            atEnd_ = true;
            break;
        }
        if (SplitLine(line, key, value))
            return true;
    }
    return false;
}

bool ScriptLoader::Reader::ReadHeader(ScriptHeader &header)
{
    bool complete = false;
    int count = 0;
    std::string_view key;
    const char *value;
    while (NextKeyedLine(key, value)) {
        switch (HeaderKey(HeaderKeys.Find(key))) {
        case HeaderKey::HeaderLines: header.HeaderLines = ReadInteger(value); break;
        case HeaderKey::FileName: header.FileName.Assign(value); break;
        case HeaderKey::Version: header.Version.Assign(value); break;
        case HeaderKey::ProgramVersion: header.ProgramVersion.Assign(value); break;
        case HeaderKey::DateTime: header.DateTime.Assign(value); break;
        case HeaderKey::Torvex: header.Torvex.Assign(value); break;
        case HeaderKey::Stadium: header.Stadium.Assign(value); break;
        case HeaderKey::Xsize: header.Xsize = ReadInteger(value); break;
        case HeaderKey::Ysize: header.Ysize = ReadInteger(value); break;
        case HeaderKey::Entrant: header.EntrantCount = ReadInteger(value); break;
        case HeaderKey::EntrantLines: header.EntrantLines = ReadInteger(value); break;
        case HeaderKey::MoveLines: header.MoveLines = ReadInteger(value); break;
        case HeaderKey::FightLines: header.FightLines = ReadInteger(value); break;
        }
        // HeaderLines is 0 until its own line is read, so a header whose
        // first line is another key ends after that line.
        if (++count >= header.HeaderLines) {
            complete = true;
            break;
        }
    }
    entrantsInPlay_ = header.EntrantCount;
    return complete;
}

bool ScriptLoader::Reader::ReadEntrants(std::vector<Entrant> &entrants, int32_t linesPerBlock)
{
    const std::size_t blocks = entrants.size();
    hitPointTrack_.assign(blocks, 100);
    if (blocks == 0)
        return true;
    std::size_t block = 0;
    int lineCount = 0;
    std::string_view key;
    const char *value;
    while (NextKeyedLine(key, value)) {
        Entrant &entrant = entrants[block];
        switch (EntrantKey(EntrantKeys.Find(key))) {
        case EntrantKey::Doller: entrant.Doller.Assign(value); break;
        case EntrantKey::Owner: entrant.Owner.Assign(value); break;
        case EntrantKey::Emblem: entrant.Emblem.Assign(value); break;
        case EntrantKey::X: entrant.X = ReadInteger(value); break;
        case EntrantKey::Y: entrant.Y = ReadInteger(value); break;
        case EntrantKey::HitPoint:
            ReadIntegerList(value, entrant.HitPoint, 6);
            entrant.HitPointRate = 100;
            break;
        }
        if (++lineCount < linesPerBlock)
            continue;
        entrant.Status = -1;
        lineCount = 0;
        if (++block == blocks)
            return true;
    }
    return false;
}

bool ScriptLoader::Reader::ReadEvents()
{
    std::string_view key;
    const char *value;
    while (!ended_ && NextKeyedLine(key, value)) {
        switch (EventKey(EventKeys.Find(key))) {
        case EventKey::Turn:
            openMoveStep_ = nullptr;
            ++turnCounter_;
            break;
        case EventKey::Move: OnMove(value); break;
        case EventKey::Fight: OnFight(value); break;
        case EventKey::Status1: OnStatus(0, value); break;
        case EventKey::Status2: OnStatus(1, value); break;
        case EventKey::Guide1: OnGuide(0, value); break;
        case EventKey::Guide2: OnGuide(1, value); break;
        case EventKey::HitPoint1: OnHitPoint(0, value); break;
        case EventKey::HitPoint2: OnHitPoint(1, value); break;
        case EventKey::Result: OnResult(value); break;
        case EventKey::End: ended_ = true; break;
        }
    }
    return ended_;
}

void ScriptLoader::Reader::OnMove(const char *value)
{
    if (!openMoveStep_) {
        ReplayStep step;
        step.Turn = int16_t(turnCounter_);
        step.Kind = MoveStepKind;
        step.Move = std::make_unique<MoveStep>();
        // Room for one move per entrant in play, as a turn usually has, but
        // only up to a modest turn up front: the count is the header's word,
        // and reserving room for a million entrants in every turn of one
        // move would commit gigabytes for a file of a few megabytes.
        step.Move->Deltas.reserve(std::min(std::size_t(std::max(entrantsInPlay_, 0)) + 1, MaxReservedMoves));
        openMoveStep_ = step.Move.get();
        model_.Steps.push_back(std::move(step));
        openMoveStepNumber_ = int(model_.Steps.size());
    }
    int32_t values[3] = {0, 0, 0};
    ReadIntegerList(value, values, 3);
    Amend(openMoveStepNumber_);
    if (openMoveStep_->Deltas.size() < MoveStep::MaxCount)
        openMoveStep_->Deltas.push_back({int16_t(values[0]), int8_t(values[1]), int8_t(values[2])});
}

void ScriptLoader::Reader::OnFight(const char *value)
{
    int32_t values[3] = {0, 0, 0};
    ReadIntegerList(value, values, 3);
    const int16_t battleNo = int16_t(values[0]);
    if (battleNo < 1 || std::size_t(battleNo) > model_.Battles.size() + 1) {
        currentFight_ = nullptr;
        currentBattle_ = 0;
        return;
    }
    ReplayStep step;
    step.Turn = int16_t(turnCounter_);
    step.Kind = FightStepKind;
    step.Fight = &model_.FightRecords.Add();
    step.Fight->BattleNo = battleNo;
    step.Fight->LeadSide = int8_t(values[1]);
    step.Fight->Distance = int8_t(values[2]);
    currentFight_ = step.Fight;
    model_.Steps.push_back(std::move(step));
    currentFightStepNumber_ = int(model_.Steps.size());
    if (model_.Battles.size() < std::size_t(battleNo)) {
        BattleEntry battle;
        battle.StartTurn = battle.EndTurn = turnCounter_;
        battle.StartPosition = battle.EndPosition = int32_t(model_.Steps.size());
        model_.Battles.push_back(battle);
    }
    currentBattle_ = battleNo;
}

void ScriptLoader::Reader::OnStatus(int side, const char *value)
{
    if (!currentFight_)
        return;
    Amend(currentFightStepNumber_);
    FightSide &fightSide = currentFight_->Side[side];
    int32_t values[7] = {fightSide.EntrantIndex};
    for (int i = 0; i < 6; ++i)
        values[i + 1] = fightSide.StatusRest[i];
    ReadIntegerList(value, values, 7);
    fightSide.EntrantIndex = int16_t(values[0]);
    for (int i = 0; i < 6; ++i)
        fightSide.StatusRest[i] = int16_t(values[i + 1]);
    // Until a HitPoint line says otherwise the player keeps its rate.
    fightSide.RateBefore = fightSide.RateAfter = TrackedRate(fightSide.EntrantIndex);

    BattleEntry &battle = CurrentBattleEntry();
    int16_t &player = side == 0 ? battle.Player1 : battle.Player2;
    if (player != -1)
        return;
    ledger_.Withdraw(battle);
    player = fightSide.EntrantIndex;
    ledger_.Enter(battle);
    (side == 0 ? battle.Player1Wins : battle.Player2Wins) = int16_t(CountWins(player));
}

void ScriptLoader::Reader::OnGuide(int side, const char *value)
{
    if (!currentFight_)
        return;
    Amend(currentFightStepNumber_);
    currentFight_->Side[side].Guide.Assign(ReadWord(value));
}

void ScriptLoader::Reader::OnHitPoint(int side, const char *value)
{
    if (!currentFight_)
        return;
    Amend(currentFightStepNumber_);
    FightSide &fightSide = currentFight_->Side[side];
    // The line holds seven values, but only the first (the rate) is kept,
    // and the later ones cannot change how the first is read.
    int32_t rate = fightSide.RateAfter;
    ReadIntegerList(value, &rate, 1);
    fightSide.RateBefore = TrackedRate(fightSide.EntrantIndex);
    fightSide.RateAfter = int8_t(rate);
    const int index = fightSide.EntrantIndex;
    if (index >= 0 && std::size_t(index) < hitPointTrack_.size())
        hitPointTrack_[std::size_t(index)] = fightSide.RateAfter;
}

void ScriptLoader::Reader::OnResult(const char *value)
{
    if (!currentFight_)
        return;
    Amend(currentFightStepNumber_);
    int32_t values[3] = {currentFight_->ResultInfo, currentFight_->ResultCode, currentFight_->OutStatus};
    ReadIntegerList(value, values, 3);
    currentFight_->ResultInfo = int8_t(values[0]);
    currentFight_->ResultCode = int8_t(values[1]);
    currentFight_->OutStatus = int8_t(values[2]);

    BattleEntry &battle = CurrentBattleEntry();
    ledger_.Withdraw(battle);
    battle.ResultInfo = values[0];
    battle.ResultCode = values[1];
    battle.OutStatus = values[2];
    ledger_.Enter(battle);
    battle.EndTurn = turnCounter_;
    battle.EndPosition = int32_t(model_.Steps.size());
    if (currentFight_->ResultCode != -1)
        --entrantsInPlay_;
}

// The header and the entrants. A live read does not start before both are
// complete in the file; until then it leaves the model alone.
bool ScriptLoader::ReadPreamble(Reader &reader, std::size_t bytesLeft, LoadResult &result, bool live)
{
    ScriptHeader header;
    const bool headerComplete = reader.ReadHeader(header);
    if (live && !headerComplete)
        return false;
    if (header.Version.View() != "00.00.02") {
        result.Messages.push_back(IdsNotAScript);
        return false;
    }
    if (!WithinLimits(header)) {
        result.Messages.push_back(IdsTooLarge);
        return false;
    }
    std::vector<Entrant> entrants(std::size_t(std::max(header.EntrantCount, 0)));
    const bool entrantsComplete = reader.ReadEntrants(entrants, header.EntrantLines);
    if (live && !entrantsComplete)
        return false;

    result.ModelReplaced = true;
    model_.Header = header;
    model_.Clear();
    model_.Entrants = std::move(entrants);
    ReserveTables(model_, header, bytesLeft);
    if (!entrantsComplete)
        result.Messages.push_back(IdsBadEntrants);
    return true;
}

int8_t ScriptLoader::Reader::TrackedRate(int entrant) const
{
    return entrant >= 0 && std::size_t(entrant) < hitPointTrack_.size() ? hitPointTrack_[std::size_t(entrant)] : int8_t(100);
}

ScriptLoader::ScriptLoader(ReplayModel &model) : model_(model) {}

ScriptLoader::~ScriptLoader() = default;

std::optional<LoadResult> ScriptLoader::Start(std::FILE *file)
{
    LoadResult result;
    result.Outcome = LoadResult::Refused;
    const std::size_t bytesLeft = BytesLeft(file);
    try {
        auto reader = std::make_unique<Reader>(file, model_);
        reader->Lines().HoldTail(true);
        if (!ReadPreamble(*reader, bytesLeft, result, true))
            return result.Messages.empty() ? std::nullopt : std::optional(result);
        live_ = std::move(reader);
        live_->ReadEvents();
    } catch (const std::bad_alloc &) {
        live_.reset();
        result.Outcome = LoadResult::OutOfMemory;
        result.Messages.push_back(IdsMemoryFailure);
        return result;
    }
    result.Outcome = LoadResult::Loaded;
    return result;
}

bool ScriptLoader::ReadOn(std::FILE *file, bool holdTail, const Amending &amending)
{
    if (!live_)
        return true;
    try {
        live_->WatchAmendments(amending);
        live_->Resume(file);
        live_->Lines().HoldTail(holdTail);
        live_->ReadEvents();
    } catch (const std::bad_alloc &) {
        return false;
    }
    return true;
}

bool ScriptLoader::TakeIn(std::FILE *file, const Amending &amending)
{
    return ReadOn(file, true, amending);
}

bool ScriptLoader::Finish(std::FILE *file, const Amending &amending)
{
    return ReadOn(file, false, amending);
}

uint64_t ScriptLoader::BytesTaken() const
{
    return live_ ? live_->Lines().BytesHandedOut() : 0;
}

uint64_t ScriptLoader::BytesRead() const
{
    return live_ ? live_->Lines().BytesRead() : 0;
}

bool ScriptLoader::Ended() const
{
    return live_ && live_->Ended();
}

int ScriptLoader::OpenBattle() const
{
    return live_ ? live_->CurrentBattle() : 0;
}

ScriptFile OpenScriptFile(const QString &path)
{
    if (path.isEmpty() || QFileInfo(path).isDir())
        return nullptr;
#ifdef _WIN32
    return ScriptFile(_wfopen(reinterpret_cast<const wchar_t *>(path.utf16()), L"rb"));
#else
    return ScriptFile(std::fopen(QFile::encodeName(path).constData(), "rb"));
#endif
}

LoadResult ScriptLoader::Read(std::FILE *file, const std::function<void()> &entrantsRead)
{
    LoadResult result;
    result.Outcome = LoadResult::Refused;
    const std::size_t bytesLeft = BytesLeft(file);
    try {
        Reader reader(file, model_);
        if (!ReadPreamble(reader, bytesLeft, result, false))
            return result;
        if (entrantsRead)
            entrantsRead();
        reader.ReadEvents();
    } catch (const std::bad_alloc &) {
        result.Outcome = LoadResult::OutOfMemory;
        result.Messages.push_back(IdsMemoryFailure);
        return result;
    }
    result.Outcome = LoadResult::Loaded;
    return result;
}

} // namespace ostrel
