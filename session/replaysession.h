#pragma once

#include "arenagrid.h"
#include "battlelist.h"
#include "battlerows.h"
#include "entrantsearch.h"
#include "livescript.h"
#include "replaymodel.h"
#include "scriptloader.h"
#include "stepengine.h"
#include "tournamentindex.h"
#include "tournamentstandings.h"

#include <QObject>
#include <QPoint>
#include <QString>

#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ostrel {

// The Enabled flags of the playback controls. Open and End are never
// disabled, so they have none.
struct PlaybackControls {
    bool Play = false;
    bool Fwd = false;
    bool Pause = false;
    bool Quit = false;
    bool Slider = false;
    bool operator==(const PlaybackControls &) const = default;
};

// One replay as a user drives it: the loaded tournament, its map, the step
// engine, the battle list and the digest, the slider's position and range,
// and the playback state (Playing, the play timer and the Enabled flags of
// the controls). The toolbar's algorithms live here once, under the names of
// the window's handlers; the window, the command-line tools, the tests and
// the benchmarks are front ends that call them.
//
// The session never shows anything. After every action it emits Changed()
// once, and front ends read the state back; the battle list also announces
// each row operation (BattleList()). The play timer is a period: a front end
// that keeps a real timer starts it on TimerRestarted() and stops it on
// TimerStopped(), and delivers its ticks to TimerPlayTimer().
class ReplaySession : public QObject {
    Q_OBJECT

public:
    static constexpr int SlowPeriod = 1000;  // ms per position when playing slowly
    static constexpr int FastPeriod = 300;
    static constexpr int InitialSliderMax = 30;

    explicit ReplaySession(QObject *parent = nullptr);
    ~ReplaySession() override;

    const ReplayModel &Model() const { return model_; }
    // The occupancy grid with the map's state; MapPainter draws it. It has
    // no cells until the first successful load.
    const ArenaGrid &Grid() const { return grid_; }
    const StepEngine &Engine() const { return engine_; }
    const BattleRows &BattleList() const { return battleRows_; }
    // The battle rows for list views to show (views only read a model).
    QAbstractItemModel *BattleListModel() { return &battleRows_; }
    const std::vector<std::string> &Digest() const { return engine_.Digest(); }

    int CurrentPosition() const { return engine_.CurrentPosition(); }
    int SliderPosition() const { return sliderPosition_; }
    int SliderMax() const { return sliderMax_; }
    bool Playing() const { return playing_; }
    // The play timer's period in ms; 0 while it is disabled.
    int TimerInterval() const { return timerInterval_; }
    const PlaybackControls &Enabled() const { return enabled_; }
    // Whether a load has succeeded at some time.
    bool HasTournament() const { return hasTournament_; }

    // Asks the user which file to open, as Open's dialog does: the chosen
    // path, or nullopt when the user cancels.
    using ScriptChooser = std::function<std::optional<QString>()>;

    // Open as the user does it: the Pause steps, announced by Changed() at
    // once so that front ends stop their timer before anything is asked;
    // then chooseFile; then, unless it cancelled, OpenScript with the chosen
    // path. nullopt when the user cancelled: only the Pause steps ran.
    std::optional<LoadResult> ToolButtonOpenClick(const ScriptChooser &chooseFile);
    // The same with the file already chosen (dropped on the window, named on
    // a command line).
    LoadResult ToolButtonOpenClick(const QString &path);

    // Open after the dialog: the load (the file is opened, the replay
    // returned to its start, the file read), then on success the rebuild of
    // the grid and the map and EnableControls(true). A file that cannot be
    // opened changes nothing. The caller shows the result's messages and
    // ends the program on OutOfMemory.
    LoadResult OpenScript(const QString &path);
    // The same for a file that is already open (fuzzers read from memory).
    LoadResult Open(std::FILE *file);

    // Enables Play, Fwd, Quit and the slider (or disables them) and sets the
    // slider's maximum to the number of steps + 1.
    void EnableControls(bool on);
    // Clears Playing, moves the slider to 0, empties the battle list and the
    // digest, then seeks to 0.
    void ResetToStart();

    void ToolButtonPlayClick();
    void ToolButtonFwdClick();
    void ToolButtonPauseClick();
    // The Pause steps, then ResetToStart.
    void ToolButtonQuitClick();
    void TimerPlayTimer();
    // The slider's change handler: seeks to the slider's position unless a
    // change is being handled already.
    void TrackBarProgressChange();

    // The program moves the slider: the position is clamped into the range
    // and, when it changes, the change handler runs inside this call.
    void SetSliderPosition(int position);
    // A user moves the slider: nothing while it is disabled. True when a
    // seek ran.
    bool MoveSlider(int position);

    // A click on a toolbar button that may be disabled: false, doing
    // nothing, when it is.
    enum class Button { Play, Fwd, Pause, Quit };
    bool Click(Button button);
    // Pause while playing, Play otherwise; false, doing nothing, when that
    // button is disabled.
    bool PlayOrPause();

    // Moves of the slider by keys and menus. Each returns false, doing
    // nothing, while the slider is disabled or when there is nowhere to go.
    // delta positions back or forward, clamped into the range; playback is
    // paused first.
    bool StepBy(int delta);
    // The start or the end of the battle with this index (from 0); playback
    // goes on from there, as after a drag of the slider.
    bool JumpToBattleStart(int battle);
    bool JumpToBattleEnd(int battle);
    // The nearest battle start before or after the slider's position.
    bool JumpToPreviousBattle();
    bool JumpToNextBattle();

    // The whole map as it stands, pixel for pixel; null while there is none.
    QImage MapPicture() const;
    // The entrant whose cell holds this point of the map (in map pixels);
    // -1 for a point outside the arena or in an empty cell.
    int EntrantAtMapPoint(QPoint point) const;
    // What the entrant has done by the position shown.
    EntrantRecord RecordOf(int entrant) const;
    // The standings of the whole tournament; empty before the first load.
    // Worked out once for the battles read so far.
    const TournamentSummary &Summary() const;
    // The whole tournament by position and by entrant, built at each load.
    const TournamentIndex &Index() const { return index_; }
    // The search over the loaded entrants, built on first use after a load.
    const EntrantSearch &Search() const;

    // The entrant the user follows, -1 for none, and its history over the
    // whole tournament. Following an index outside the entrant table stops
    // following. A load of another file stops it; a reload of the same file
    // keeps it while the index still names an entrant.
    int Followed() const { return followed_; }
    const EntrantHistory &FollowedHistory() const { return followedHistory_; }
    void Follow(int entrant);
    void StopFollowing() { Follow(-1); }
    // Moves of the slider to the followed entrant's battles, as
    // JumpToPreviousBattle and JumpToNextBattle do for all battles, and to
    // the position where it went out for the last time. Each returns false,
    // doing nothing, when nobody is followed or there is nowhere to go.
    bool JumpToFollowedBattle(int direction);
    bool JumpToFollowedExit();
    // The position where the followed entrant went out for good; none while
    // it is still in play at the end.
    std::optional<int> FollowedExit() const;

    // Watching a file as the game writes it. OpenLive opens it as
    // OpenScript does, but takes in whole lines only and keeps its place;
    // while the file does not yet hold its whole header and entrant section
    // it changes nothing and gives nullopt (TakeInAppended tries again).
    std::optional<LoadResult> OpenLive(const QString &path);
    enum class Growth { Waiting, Unchanged, Grown, Reloaded, Unreadable };
    struct LiveTake {
        Growth What = Growth::Unchanged;
        LoadResult Load;  // the load, when the file was loaded anew
    };
    // Takes in the lines appended to the watched file since the last read,
    // or, when the file was replaced (shorter than what was read, or the
    // bytes read changed), loads it anew as Open does. When the slider stood
    // at its maximum, it moves to the new maximum; otherwise the position
    // stays. A file that is gone or unreadable changes nothing.
    LiveTake TakeInAppended();
    // The end of watching: takes in the rest, a last line without a line
    // end as a whole load takes it; then stops watching.
    LiveTake FinishLive();
    bool Watching() const { return bool(live_); }
    // The bytes of the watched file that the model reflects (after the
    // end of watching too).
    uint64_t LiveBytes() const { return liveBytes_; }
    // The events' End line has been read: the file will add nothing.
    bool LiveEnded() const { return live_ && live_->Loader().Ended(); }

signals:
    void Changed();
    // The play timer starts its period anew, interval ms from now: on Play
    // and Fwd, also when they only switch the speed.
    void TimerRestarted(int interval);
    // The play timer was running and is disabled now.
    void TimerStopped();

private:
    // Emits Changed() once the outermost action is over.
    class ChangeScope;

    LoadResult Load(std::FILE *file);
    LoadResult Adopt(LoadResult result, ArenaGrid map, bool mapDrawn);
    LiveTake ReadOn(bool finish);
    void SeekTo(int target);
    void SetPlayButtons(bool play, bool fwd, bool pause);
    void StartTimer(int interval);
    void StopTimer();
    bool JumpTo(std::optional<int> position);

    ReplayModel model_;
    ArenaGrid grid_;
    StepEngine engine_{model_, grid_};
    BattleRows battleRows_;
    BattleListMemo battleListMemo_;
    TournamentIndex index_;
    mutable std::optional<EntrantSearch> search_;
    mutable std::optional<TournamentSummary> summary_;
    QString loadedPath_;  // the file of the tournament loaded, as opened
    int followed_ = -1;
    EntrantHistory followedHistory_;
    std::unique_ptr<LiveScript> live_;
    uint64_t liveBytes_ = 0;

    int sliderPosition_ = 0;
    int sliderMax_ = InitialSliderMax;
    bool playing_ = false;
    bool seekBusy_ = false;
    bool lastSeekRan_ = false;
    bool hasTournament_ = false;
    int timerInterval_ = 0;
    PlaybackControls enabled_;
    int actionDepth_ = 0;
};

} // namespace ostrel
