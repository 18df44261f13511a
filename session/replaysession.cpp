#include "replaysession.h"

#include "battlenavigation.h"
#include "mappainter.h"
#include "scriptreadahead.h"
#include "stringtable.h"

#include <QFileInfo>

#include <algorithm>
#include <cstdint>
#include <new>

namespace ostrel {

class ReplaySession::ChangeScope {
public:
    explicit ChangeScope(ReplaySession &session) : session_(session) { ++session_.actionDepth_; }
    ~ChangeScope()
    {
        if (--session_.actionDepth_ == 0)
            emit session_.Changed();
    }
    ChangeScope(const ChangeScope &) = delete;
    ChangeScope &operator=(const ChangeScope &) = delete;

private:
    ReplaySession &session_;
};

ReplaySession::ReplaySession(QObject *parent) : QObject(parent), battleRows_(this) {}

// Released in the order the model was built up: the entrants, the grid,
// then the battles and the steps.
ReplaySession::~ReplaySession()
{
    model_.Entrants = std::vector<Entrant>();
    grid_ = ArenaGrid();
    model_.Battles = BattleTable();
    model_.Steps = StepList();
}

// No action scope around the whole: the pause is a finished action of its
// own, shown before the chooser takes over (a modal dialog must not sit on a
// running play timer).
std::optional<LoadResult> ReplaySession::ToolButtonOpenClick(const ScriptChooser &chooseFile)
{
    ToolButtonPauseClick();
    const std::optional<QString> path = chooseFile();
    if (!path)
        return std::nullopt;
    return OpenScript(*path);
}

LoadResult ReplaySession::ToolButtonOpenClick(const QString &path)
{
    // A file that is given already is never cancelled.
    return *ToolButtonOpenClick([&path] { return std::optional<QString>(path); });
}

LoadResult ReplaySession::OpenScript(const QString &path)
{
    const ScriptFile file = OpenScriptFile(path);
    if (!file)
        return {};
    ChangeScope scope(*this);
    const int followed = followed_;
    const bool reloading = !loadedPath_.isEmpty() && QFileInfo(path) == QFileInfo(loadedPath_);
    LoadResult result = Open(file.get());
    if (result.ModelReplaced) {
        const bool reloaded = reloading && result.Succeeded();
        loadedPath_ = result.Succeeded() ? path : QString();
        Follow(reloaded ? followed : -1);
    }
    return result;
}

LoadResult ReplaySession::Open(std::FILE *file)
{
    ChangeScope scope(*this);
    live_.reset();
    LoadResult result = Load(file);
    if (result.Succeeded())
        EnableControls(true);
    return result;
}

LoadResult ReplaySession::Load(std::FILE *file)
{
    ChangeScope scope(*this);
    ResetToStart();
    // The new map is drawn while the events are read, and replaces the old
    // one only once the load has succeeded.
    ScriptReadAhead read(model_, file);
    ArenaGrid map;
    bool mapDrawn = false;
    if (read.WaitForEntrants()) {
        try {
            map.Build(model_.Header, model_.Entrants);
            map.DrawAll();
            mapDrawn = true;
        } catch (const std::bad_alloc &) {
            // the load fails below, once the file has been read
        }
    }
    return Adopt(read.Finish(), std::move(map), mapDrawn);
}

// What every load does once the file has been read.
LoadResult ReplaySession::Adopt(LoadResult result, ArenaGrid map, bool mapDrawn)
{
    if (result.ModelReplaced) {
        // Nothing may point into the tournament that was replaced.
        engine_.ReleaseHighlight();
        grid_.ReleaseEntrants();
    }
    if (result.Succeeded() && !mapDrawn) {
        result.Outcome = LoadResult::OutOfMemory;
        result.Messages.push_back(IdsMemoryFailure);
    }
    if (result.Succeeded()) {
        grid_ = std::move(map);
        hasTournament_ = true;
    }
    if (result.ModelReplaced) {
        search_.reset();
        summary_.reset();
        index_.Clear();
        loadedPath_.clear();
        followed_ = -1;
        followedHistory_ = EntrantHistory();
        if (result.Succeeded())
            index_.Build(model_);
    }
    return result;
}

std::optional<LoadResult> ReplaySession::OpenLive(const QString &path)
{
    if (!OpenScriptFile(path))
        return LoadResult{};  // cannot be opened: nothing changes
    ChangeScope scope(*this);
    const int followed = followed_;
    const bool reloading = !loadedPath_.isEmpty() && QFileInfo(path) == QFileInfo(loadedPath_);
    ResetToStart();
    live_ = std::make_unique<LiveScript>(model_, path);
    const std::optional<LoadResult> started = live_->Start();
    if (!started)
        return std::nullopt;  // the model is left alone until the file holds more
    ArenaGrid map;
    bool mapDrawn = false;
    if (started->Succeeded()) {
        try {
            map.Build(model_.Header, model_.Entrants);
            map.DrawAll();
            mapDrawn = true;
        } catch (const std::bad_alloc &) {
            // Adopt fails the load
        }
    }
    const LoadResult result = Adopt(*started, std::move(map), mapDrawn);
    liveBytes_ = live_->Loader().BytesTaken();
    if (result.Succeeded())
        EnableControls(true);
    else
        live_.reset();
    if (result.ModelReplaced) {
        loadedPath_ = result.Succeeded() ? path : QString();
        Follow(result.Succeeded() && reloading ? followed : -1);
    }
    return result;
}

ReplaySession::LiveTake ReplaySession::TakeInAppended()
{
    return ReadOn(false);
}

ReplaySession::LiveTake ReplaySession::FinishLive()
{
    LiveTake take = ReadOn(true);
    live_.reset();
    return take;
}

ReplaySession::LiveTake ReplaySession::ReadOn(bool finish)
{
    LiveTake take;
    if (!live_)
        return take;
    ChangeScope scope(*this);
    const QString path = live_->Path();
    const auto loadAnew = [&](Growth what) {
        if (finish) {
            live_.reset();
            take.Load = OpenScript(path);
            if (take.Load.Succeeded())
                liveBytes_ = uint64_t(QFileInfo(path).size());
        } else if (std::optional<LoadResult> load = OpenLive(path)) {
            take.Load = *load;
        } else {
            take.What = Growth::Waiting;
            return take;
        }
        take.What = what;
        return take;
    };
    if (!live_->Loader().Started())
        return loadAnew(hasTournament_ ? Growth::Reloaded : Growth::Grown);
    const LiveScript::Look look = live_->Check();
    if (look == LiveScript::Look::Unreadable) {
        take.What = Growth::Unreadable;
        return take;
    }
    if (look == LiveScript::Look::Replaced)
        return loadAnew(Growth::Reloaded);
    if (look == LiveScript::Look::Unchanged && !finish)
        return take;

    const int stepsBefore = int(model_.Steps.size());
    const bool follow = sliderPosition_ == sliderMax_;
    int firstChanged = stepsBefore + 1;
    // The end position becomes a step's position as steps arrive; a step
    // that a line changes is taken back while it reads as it did.
    if (engine_.CurrentPosition() > stepsBefore)
        engine_.SeekTo(stepsBefore);
    const auto amending = [&](int step) {
        firstChanged = std::min(firstChanged, step);
        if (engine_.CurrentPosition() >= step)
            engine_.SeekTo(step - 1);
    };
    const bool read = finish ? live_->Finish(amending) : live_->TakeIn(amending);
    index_.Extend(model_, firstChanged);
    summary_.reset();
    if (followed_ >= 0)
        followedHistory_ = index_.HistoryOf(model_, followed_);
    sliderMax_ = engine_.Maximum();
    sliderPosition_ = follow ? sliderMax_ : std::min(sliderPosition_, sliderMax_);
    // The rows are brought up to date whether or not the position moved:
    // battles were added, and the one being read may have changed.
    battleListMemo_.Forget();
    engine_.SeekTo(sliderPosition_);
    RefreshBattleList(model_, sliderPosition_, sliderMax_, engine_.ShownStep(sliderPosition_), battleRows_,
                      battleListMemo_);
    if (!playing_)
        enabled_.Play = enabled_.Fwd = sliderPosition_ < sliderMax_;
    liveBytes_ = live_->Loader().BytesTaken();
    take.What = read ? Growth::Grown : Growth::Unreadable;
    return take;
}

void ReplaySession::Follow(int entrant)
{
    ChangeScope scope(*this);
    followedHistory_ = index_.HistoryOf(model_, entrant);
    followed_ = followedHistory_.Entrant;
}

std::optional<int> ReplaySession::FollowedExit() const
{
    if (followed_ < 0 || followedHistory_.Statuses.back().Value < 0)
        return std::nullopt;
    return followedHistory_.Statuses.back().Position;
}

bool ReplaySession::JumpToFollowedBattle(int direction)
{
    std::optional<int> target;
    for (const EntrantHistory::Battle &battle : followedHistory_.Battles) {
        const bool ahead = direction > 0 ? battle.First > sliderPosition_ : battle.First < sliderPosition_;
        if (ahead && (!target || (direction > 0) == (battle.First < *target)))
            target = battle.First;
    }
    ChangeScope scope(*this);
    return JumpTo(target);
}

bool ReplaySession::JumpToFollowedExit()
{
    ChangeScope scope(*this);
    const std::optional<int> exit = FollowedExit();
    return exit != sliderPosition_ && JumpTo(exit);
}

const EntrantSearch &ReplaySession::Search() const
{
    if (!search_)
        search_.emplace(model_);
    return *search_;
}

void ReplaySession::EnableControls(bool on)
{
    ChangeScope scope(*this);
    enabled_.Play = enabled_.Fwd = enabled_.Quit = enabled_.Slider = on;
    sliderMax_ = engine_.Maximum();
    // A smaller maximum clamps the position, which is a change like any other.
    SetSliderPosition(sliderPosition_);
}

void ReplaySession::ResetToStart()
{
    ChangeScope scope(*this);
    playing_ = false;
    SetSliderPosition(0);
    battleRows_.Clear();
    engine_.ClearDigest();
    SeekTo(0);
}

void ReplaySession::SeekTo(int target)
{
    lastSeekRan_ = engine_.SeekTo(target);
    if (lastSeekRan_)
        RefreshBattleList(model_, target, sliderMax_, engine_.ShownStep(target), battleRows_, battleListMemo_);
}

void ReplaySession::SetPlayButtons(bool play, bool fwd, bool pause)
{
    enabled_.Play = play;
    enabled_.Fwd = fwd;
    enabled_.Pause = pause;
}

void ReplaySession::StartTimer(int interval)
{
    timerInterval_ = interval;
    emit TimerRestarted(interval);
}

void ReplaySession::StopTimer()
{
    if (timerInterval_ == 0)
        return;
    timerInterval_ = 0;
    emit TimerStopped();
}

void ReplaySession::ToolButtonPlayClick()
{
    ChangeScope scope(*this);
    playing_ = true;
    SetPlayButtons(false, true, true);
    StartTimer(SlowPeriod);
}

void ReplaySession::ToolButtonFwdClick()
{
    ChangeScope scope(*this);
    playing_ = true;
    SetPlayButtons(true, false, true);
    StartTimer(FastPeriod);
}

void ReplaySession::ToolButtonPauseClick()
{
    ChangeScope scope(*this);
    playing_ = false;
    StopTimer();
    SetPlayButtons(hasTournament_, hasTournament_, false);
}

void ReplaySession::ToolButtonQuitClick()
{
    ChangeScope scope(*this);
    ToolButtonPauseClick();
    ResetToStart();
}

void ReplaySession::TimerPlayTimer()
{
    ChangeScope scope(*this);
    if (!playing_) {
        // A tick queued before play stopped.
        StopTimer();
        enabled_.Pause = false;
        return;
    }
    const int next = sliderPosition_ + 1;
    if (next > sliderMax_) {
        playing_ = false;
        StopTimer();
        SetPlayButtons(false, false, false);
        return;
    }
    SetSliderPosition(next);
}

void ReplaySession::TrackBarProgressChange()
{
    ChangeScope scope(*this);
    const int position = sliderPosition_;
    if (seekBusy_)
        return;
    seekBusy_ = true;
    // Released however the seek ends, so that later changes are handled.
    struct Release {
        bool &Busy;
        ~Release() { Busy = false; }
    } release{seekBusy_};
    SeekTo(position);
    if (!playing_) {
        const bool beforeEnd = position < sliderMax_;
        enabled_.Play = enabled_.Fwd = beforeEnd;
    }
}

void ReplaySession::SetSliderPosition(int position)
{
    position = std::clamp(position, 0, sliderMax_);
    if (position == sliderPosition_)
        return;
    ChangeScope scope(*this);
    sliderPosition_ = position;
    TrackBarProgressChange();
}

bool ReplaySession::MoveSlider(int position)
{
    if (!enabled_.Slider)
        return false;
    lastSeekRan_ = false;
    SetSliderPosition(position);
    return lastSeekRan_;
}

bool ReplaySession::Click(Button button)
{
    struct Target {
        bool PlaybackControls::*Enabled;
        void (ReplaySession::*Handler)();
    };
    static constexpr Target targets[] = {
        {&PlaybackControls::Play, &ReplaySession::ToolButtonPlayClick},
        {&PlaybackControls::Fwd, &ReplaySession::ToolButtonFwdClick},
        {&PlaybackControls::Pause, &ReplaySession::ToolButtonPauseClick},
        {&PlaybackControls::Quit, &ReplaySession::ToolButtonQuitClick},
    };
    const Target &target = targets[int(button)];
    if (!(enabled_.*target.Enabled))
        return false;
    (this->*target.Handler)();
    return true;
}

bool ReplaySession::PlayOrPause()
{
    return Click(playing_ ? Button::Pause : Button::Play);
}

bool ReplaySession::StepBy(int delta)
{
    if (!enabled_.Slider)
        return false;
    ChangeScope scope(*this);
    if (playing_) {
        ToolButtonPauseClick();
        // A step that cannot move (at either end) leaves no change to
        // re-evaluate the play buttons, so they are set here as a move would.
        enabled_.Play = enabled_.Fwd = sliderPosition_ < sliderMax_;
    }
    SetSliderPosition(int(std::clamp<int64_t>(int64_t(sliderPosition_) + delta, 0, sliderMax_)));
    return true;
}

bool ReplaySession::JumpTo(std::optional<int> position)
{
    if (!position || !enabled_.Slider)
        return false;
    SetSliderPosition(*position);
    return true;
}

bool ReplaySession::JumpToBattleStart(int battle)
{
    if (battle < 0 || std::size_t(battle) >= model_.Battles.size())
        return false;
    return JumpTo(model_.Battles[std::size_t(battle)].StartPosition);
}

bool ReplaySession::JumpToBattleEnd(int battle)
{
    if (battle < 0 || std::size_t(battle) >= model_.Battles.size())
        return false;
    return JumpTo(model_.Battles[std::size_t(battle)].EndPosition);
}

bool ReplaySession::JumpToPreviousBattle()
{
    return JumpTo(BattleStartBefore(model_.Battles, sliderPosition_));
}

bool ReplaySession::JumpToNextBattle()
{
    return JumpTo(BattleStartAfter(model_.Battles, sliderPosition_));
}

QImage ReplaySession::MapPicture() const
{
    return grid_.IsDrawn() ? RenderMap(grid_) : QImage();
}

int ReplaySession::EntrantAtMapPoint(QPoint point) const
{
    // Floor division, so that points left of or above the first cell fall
    // outside the arena instead of into column or row 0.
    const auto cell = [](int pixel) {
        const int offset = pixel - ArenaGrid::Margin;
        return offset >= 0 ? offset / ArenaGrid::CellPitch : -1;
    };
    return grid_.CellAt(cell(point.x()), cell(point.y())) - 1;
}

EntrantRecord ReplaySession::RecordOf(int entrant) const
{
    return RecordAt(model_, entrant, CurrentPosition());
}

const TournamentSummary &ReplaySession::Summary() const
{
    if (!summary_)
        summary_ = SummarizeTournament(model_);
    return *summary_;
}

} // namespace ostrel
