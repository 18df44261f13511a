// The playback state machine behind the toolbar: which controls each state
// leaves enabled, what every event changes, play from the start to the end,
// Open with its dialog, and the slider's changes. Timer ticks are delivered
// by calling the tick handler; the timer itself is only looked at.
#include "formtestkit.h"
#include "mapimage.h"
#include "reportlistview.h"
#include "toolbarbutton.h"
#include "windowtestsupport.h"

#include <QPlainTextEdit>
#include <QSlider>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>

namespace {

constexpr int FiveMax = FiveSteps + 1;
constexpr int ThreeMax = ThreeSteps + 1;
constexpr int DesignMax = 30;

// The files the tests open.
struct ScriptPaths
{
    QString five, three, refused, missing;
};

// --- Ways into a state, each a sequence of the user's actions ------------

using Actions = std::function<void(ScriptedFormView &, const ScriptPaths &)>;

struct Reach
{
    const char *name;
    Actions actions;
};

void LoadFive(ScriptedFormView &form, const ScriptPaths &paths)
{
    form.DialogAnswer = paths.five;
    form.ToolButtonOpenClick();
    form.DialogAnswer.clear();
    form.DialogCalls = 0;
}

Reach StoppedAt(const char *name, int position)
{
    return {name, [position](ScriptedFormView &form, const ScriptPaths &paths) {
                LoadFive(form, paths);
                form.TrackBarProgress->setValue(position);
            }};
}

Reach PlayingAt(const char *name, int position, bool fast)
{
    return {name, [position, fast](ScriptedFormView &form, const ScriptPaths &paths) {
                LoadFive(form, paths);
                form.TrackBarProgress->setValue(position);
                fast ? form.ToolButtonFwdClick() : form.ToolButtonPlayClick();
            }};
}

const Reach Nothing{"Empty", [](ScriptedFormView &, const ScriptPaths &) {}};
const Reach StoppedAt2 = StoppedAt("StoppedAt2", 2);
const Reach StoppedAtEnd = StoppedAt("StoppedAtEnd", FiveMax);
const Reach SlowAt2 = PlayingAt("PlayingSlowAt2", 2, false);
const Reach FastAt2 = PlayingAt("PlayingFastAt2", 2, true);
const Reach SlowAt5 = PlayingAt("PlayingSlowAt5", 5, false);
const Reach FastAt5 = PlayingAt("PlayingFastAt5", 5, true);
const Reach SlowAtEnd = PlayingAt("PlayingSlowAtEnd", FiveMax, false);
const Reach FastAtEnd = PlayingAt("PlayingFastAtEnd", FiveMax, true);

class PlaybackTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ForgetSettings();
        Paths = {Files.Write("five.ostrelScript", FiveStepTournament()),
                 Files.Write("three.ostrelScript", ThreeStepTournament()),
                 Files.Write("refused.ostrelScript", RefusedScript()), Files.Path("missing.ostrelScript")};
        ASSERT_FALSE(Paths.five.isEmpty() || Paths.three.isEmpty() || Paths.refused.isEmpty());
        Form = std::make_unique<ScriptedFormView>();
        ASSERT_TRUE(ShowAndWait(Form.get()));
    }

    void Run(const Reach &reach) { reach.actions(*Form, Paths); }
    int Position() const { return Form->TrackBarProgress->value(); }
    ControlStates States() const { return ControlStates::Of(*Form); }
    QString Digest() const { return Form->RichEditDigest->toPlainText(); }
    int Rows() const { return Form->ListViewBattle->topLevelItemCount(); }

    ScriptFolder Files;
    ScriptPaths Paths;
    std::unique_ptr<ScriptedFormView> Form;
};

// --- The state table -----------------------------------------------------

struct StateCase
{
    Reach reach;
    ControlStates states;
};

void PrintTo(const StateCase &row, std::ostream *out)
{
    *out << row.reach.name;
}

class PlaybackStateTest : public PlaybackTest, public ::testing::WithParamInterface<StateCase>
{
};

TEST_P(PlaybackStateTest, LeavesTheControlsOfItsRow)
{
    Run(GetParam().reach);
    EXPECT_EQ(States(), GetParam().states);
    EXPECT_TRUE(Form->ToolButtonOpen->isEnabled());
    EXPECT_TRUE(Form->ToolButtonEnd->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(Rows, PlaybackStateTest,
                         ::testing::Values(StateCase{Nothing, States::Empty}, StateCase{StoppedAt2, States::Stopped},
                                           StateCase{StoppedAtEnd, States::AtEnd},
                                           StateCase{SlowAt2, States::PlayingSlow},
                                           StateCase{FastAt2, States::PlayingFast}),
                         [](const auto &info) { return std::string(info.param.reach.name); });

// --- The event table -----------------------------------------------------

void Play(ScriptedFormView &form, const ScriptPaths &) { form.ToolButtonPlayClick(); }
void Fwd(ScriptedFormView &form, const ScriptPaths &) { form.ToolButtonFwdClick(); }
void Pause(ScriptedFormView &form, const ScriptPaths &) { form.ToolButtonPauseClick(); }
void Quit(ScriptedFormView &form, const ScriptPaths &) { form.ToolButtonQuitClick(); }
void Tick(ScriptedFormView &form, const ScriptPaths &) { form.TimerPlayTimer(); }

Actions OpenAnswering(QString ScriptPaths::*file)
{
    return [file](ScriptedFormView &form, const ScriptPaths &paths) {
        form.DialogAnswer = file ? paths.*file : QString();
        form.ToolButtonOpenClick();
    };
}
const Actions OpenCancelled = OpenAnswering(nullptr);

// What the start-up does with a file named on the command line.
void LoadThreeAtStartUp(ScriptedFormView &form, const ScriptPaths &paths)
{
    ASSERT_TRUE(form.OpenScript(paths.three));
}

Actions SliderTo(int position)
{
    return [position](ScriptedFormView &form, const ScriptPaths &) { form.TrackBarProgress->setValue(position); };
}

Actions SliderKey(Qt::Key key)
{
    return [key](ScriptedFormView &form, const ScriptPaths &) {
        form.TrackBarProgress->setFocus();
        QTest::keyClick(form.TrackBarProgress, key);
    };
}

// A load resets the replay, which clears Playing but leaves the timer and
// Pause as they were; the next tick notices.
void LoaderResetThenTick(ScriptedFormView &form, const ScriptPaths &paths)
{
    form.ResetToStart();
    Tick(form, paths);
}

// Playing cleared at the end, where Play is off and Fwd on: the tick must
// leave both as they are.
void PlayingClearedThenTick(ScriptedFormView &form, const ScriptPaths &paths)
{
    form.StopPlaying();
    Tick(form, paths);
}

// A tick that was already queued when play stopped.
void PauseThenQueuedTick(ScriptedFormView &form, const ScriptPaths &paths)
{
    Pause(form, paths);
    Tick(form, paths);
}

constexpr ControlStates FwdOnly{false, true, false, true, true, 0, false};

struct EventCase
{
    const char *name;
    Reach reach;
    Actions event;
    ControlStates states;
    int position;
    int maximum;
    std::optional<ControlStates> atDialog = std::nullopt;  // for the events that open the dialog
};

void PrintTo(const EventCase &row, std::ostream *out)
{
    *out << row.name;
}

class PlaybackEventTest : public PlaybackTest, public ::testing::WithParamInterface<EventCase>
{
};

TEST_P(PlaybackEventTest, ChangesTheControlsOfItsRow)
{
    const EventCase &row = GetParam();
    Run(row.reach);
    row.event(*Form, Paths);
    EXPECT_EQ(States(), row.states);
    EXPECT_EQ(Position(), row.position);
    EXPECT_EQ(Form->CurrentPosition(), row.position);
    EXPECT_EQ(Form->TrackBarProgress->maximum(), row.maximum);
    EXPECT_EQ(Form->DialogCalls, row.atDialog ? 1 : 0);
    if (row.atDialog) {
        EXPECT_EQ(Form->AtDialog, *row.atDialog);
    }
    EXPECT_TRUE(Form->LoaderMessages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PlaybackEventTest,
    ::testing::Values(
        EventCase{"LoadFromEmpty", Nothing, OpenAnswering(&ScriptPaths::five), States::Stopped, 0, FiveMax,
                  States::Empty},
        EventCase{"LoadAtTheEnd", StoppedAtEnd, LoadThreeAtStartUp, States::Stopped, 0, ThreeMax},
        EventCase{"OpenCancelledWhenEmpty", Nothing, OpenCancelled, States::Empty, 0, DesignMax, States::Empty},
        EventCase{"OpenCancelledWhilePlayingSlow", SlowAt2, OpenCancelled, States::Stopped, 2, FiveMax,
                  States::Stopped},
        EventCase{"OpenCancelledWhilePlayingFast", FastAt5, OpenCancelled, States::Stopped, 5, FiveMax,
                  States::Stopped},
        // Pause does not look at the position: Play and Fwd come on at the end.
        EventCase{"OpenCancelledAtTheEnd", StoppedAtEnd, OpenCancelled, States::Stopped, FiveMax, FiveMax,
                  States::Stopped},
        EventCase{"PlayWhenStopped", StoppedAt2, Play, States::PlayingSlow, 2, FiveMax},
        EventCase{"PlayWhilePlayingFast", FastAt2, Play, States::PlayingSlow, 2, FiveMax},
        EventCase{"FwdWhenStopped", StoppedAt2, Fwd, States::PlayingFast, 2, FiveMax},
        EventCase{"FwdWhilePlayingSlow", SlowAt2, Fwd, States::PlayingFast, 2, FiveMax},
        EventCase{"PauseWhilePlayingSlow", SlowAt2, Pause, States::Stopped, 2, FiveMax},
        EventCase{"PauseWhilePlayingFastAtTheEnd", FastAtEnd, Pause, States::Stopped, FiveMax, FiveMax},
        EventCase{"TickWhilePlayingSlow", SlowAt2, Tick, States::PlayingSlow, 3, FiveMax},
        EventCase{"TickWhilePlayingFastOntoTheEnd", FastAt5, Tick, States::PlayingFast, FiveMax, FiveMax},
        EventCase{"TickWhilePlayingPastTheEnd", SlowAtEnd, Tick, States::AtEnd, FiveMax, FiveMax},
        EventCase{"TickWhilePlayingFastPastTheEnd", FastAtEnd, Tick, States::AtEnd, FiveMax, FiveMax},
        EventCase{"TickAfterTheLoaderReset", SlowAt5, LoaderResetThenTick, States::Stopped, 0, FiveMax},
        EventCase{"TickWhileNotPlayingAtTheEnd", SlowAtEnd, PlayingClearedThenTick, FwdOnly, FiveMax, FiveMax},
        EventCase{"QueuedTickAfterPause", SlowAt2, PauseThenQueuedTick, States::Stopped, 2, FiveMax},
        EventCase{"SliderToTheEndWhileStopped", StoppedAt2, SliderKey(Qt::Key_End), States::AtEnd, FiveMax,
                  FiveMax},
        EventCase{"SliderBackFromTheEndWhileStopped", StoppedAtEnd, SliderKey(Qt::Key_Left), States::Stopped,
                  FiveSteps, FiveMax},
        EventCase{"SliderToTheEndWhilePlayingSlow", SlowAt2, SliderTo(FiveMax), States::PlayingSlow, FiveMax,
                  FiveMax},
        EventCase{"SliderBackWhilePlayingFast", FastAt5, SliderTo(1), States::PlayingFast, 1, FiveMax},
        EventCase{"QuitWhilePlayingSlow", SlowAt5, Quit, States::Stopped, 0, FiveMax},
        EventCase{"QuitWhilePlayingFast", FastAt2, Quit, States::Stopped, 0, FiveMax},
        EventCase{"QuitAtTheEnd", StoppedAtEnd, Quit, States::Stopped, 0, FiveMax}),
    [](const auto &info) { return std::string(info.param.name); });

// --- Sequences -----------------------------------------------------------

TEST_F(PlaybackTest, PlayFromTheStartVisitsEveryPositionAndSwitchesOffAtTickNPlus2)
{
    LoadFive(*Form, Paths);
    Form->ToolButtonPlayClick();
    for (int tick = 1; tick <= FiveMax; ++tick) {
        Form->TimerPlayTimer();
        EXPECT_EQ(Position(), tick);
        EXPECT_EQ(Form->CurrentPosition(), tick);
        EXPECT_EQ(States(), States::PlayingSlow) << "tick " << tick;
    }
    Form->TimerPlayTimer();
    EXPECT_EQ(Position(), FiveMax);
    EXPECT_EQ(States(), States::AtEnd);
    EXPECT_EQ(Form->SliderChanges, (QList<int>{1, 2, 3, 4, 5, 6}));
}

TEST_F(PlaybackTest, FwdWhilePlayingSlowKeepsThePositionAndStartsTheShortPeriodAnew)
{
    Run(SlowAt2);
    Form->TimerPlayTimer();
    ASSERT_EQ(Position(), 3);
    Form->SliderChanges.clear();
    const int refreshes = Form->ListRefreshes;

    Form->ToolButtonFwdClick();
    EXPECT_EQ(Position(), 3);
    EXPECT_TRUE(Form->SliderChanges.isEmpty());
    EXPECT_EQ(Form->ListRefreshes, refreshes);
    EXPECT_TRUE(Form->TimerPlay->isActive());
    EXPECT_EQ(Form->TimerPlay->interval(), 300);
    EXPECT_LE(Form->TimerPlay->remainingTime(), 300 * 105 / 100);  // a coarse timer may run 5% late
    EXPECT_TRUE(Form->ToolButtonPlay->isEnabled());
    EXPECT_FALSE(Form->ToolButtonFwd->isEnabled());
}

TEST_F(PlaybackTest, QuitWhilePlayingReturnsToTheStartWithTheListAndDigestEmpty)
{
    Run(SlowAt2);
    Form->TimerPlayTimer();
    ASSERT_EQ(Rows(), 1);
    ASSERT_EQ(Digest().count('\n'), 4);

    Form->ToolButtonQuitClick();
    EXPECT_FALSE(Form->TimerPlay->isActive());
    EXPECT_EQ(Position(), 0);
    EXPECT_EQ(Form->CurrentPosition(), 0);
    EXPECT_EQ(States(), States::Stopped);
    EXPECT_EQ(Rows(), 0);
    EXPECT_TRUE(Digest().isEmpty());
}

TEST_F(PlaybackTest, QuitAtTheStartRaisesNoSliderChangeButEmptiesTheDigest)
{
    Run(StoppedAt2);
    Form->TrackBarProgress->setValue(0);
    ASSERT_EQ(Digest(), QStringLiteral("ターン: 1"));
    Form->SliderChanges.clear();

    Form->ToolButtonQuitClick();
    EXPECT_TRUE(Form->SliderChanges.isEmpty());
    EXPECT_TRUE(Digest().isEmpty());
    EXPECT_EQ(Rows(), 0);
    EXPECT_EQ(States(), States::Stopped);
}

TEST_F(PlaybackTest, RefusedFileKeepsThePreviousTournamentAndItsRange)
{
    Run(StoppedAt2);
    Form->TrackBarProgress->setValue(3);

    OpenAnswering(&ScriptPaths::refused)(*Form, Paths);
    EXPECT_EQ(Form->LoaderMessages, std::vector<int>{40002});
    EXPECT_EQ(Form->Model.Steps.size(), std::size_t(FiveSteps));
    EXPECT_EQ(Form->TrackBarProgress->maximum(), FiveMax);
    // The loader had opened the file and reset the replay before refusing it.
    EXPECT_EQ(Position(), 0);
    EXPECT_EQ(Rows(), 0);
    EXPECT_TRUE(Digest().isEmpty());
    EXPECT_EQ(States(), States::Stopped);

    Form->TrackBarProgress->setValue(5);
    EXPECT_TRUE(Digest().contains(QStringLiteral("試合番号: 2")));
}

TEST_F(PlaybackTest, FileThatCannotBeOpenedChangesNothing)
{
    Run(StoppedAt2);
    Form->TrackBarProgress->setValue(3);
    const QString digest = Digest();
    Form->SliderChanges.clear();

    OpenAnswering(&ScriptPaths::missing)(*Form, Paths);
    EXPECT_TRUE(Form->LoaderMessages.empty());
    EXPECT_EQ(Position(), 3);
    EXPECT_EQ(Form->CurrentPosition(), 3);
    EXPECT_TRUE(Form->SliderChanges.isEmpty());
    EXPECT_EQ(Digest(), digest);
    EXPECT_EQ(Rows(), 1);
    EXPECT_EQ(Form->TrackBarProgress->maximum(), FiveMax);
}

TEST_F(PlaybackTest, SettingTheSliderToItsOwnPositionRunsNoSeek)
{
    Run(StoppedAt2);
    Form->TrackBarProgress->setValue(3);
    Form->SliderChanges.clear();
    const int refreshes = Form->ListRefreshes;

    Form->TrackBarProgress->setValue(3);
    EXPECT_TRUE(Form->SliderChanges.isEmpty());
    EXPECT_FALSE(Form->SeekTo(3));
    EXPECT_EQ(Form->ListRefreshes, refreshes);
}

TEST_F(PlaybackTest, ChangeArrivingWhileAChangeIsHandledIsNotSought)
{
    Run(StoppedAt2);
    const int refreshes = Form->ListRefreshes;
    Form->SeekBusy = true;
    Form->TrackBarProgress->setValue(FiveMax);
    EXPECT_EQ(Form->CurrentPosition(), 2);
    EXPECT_EQ(Form->ListRefreshes, refreshes);
    EXPECT_EQ(States(), States::Stopped);

    Form->SeekBusy = false;
    Form->TrackBarProgress->setValue(4);
    EXPECT_EQ(Form->CurrentPosition(), 4);
}

TEST_F(PlaybackTest, SuccessfulOpenStartsTheNewTournamentAtZeroWithTheListAndDigestEmpty)
{
    Run(SlowAt5);
    ASSERT_EQ(Rows(), 2);
    ASSERT_FALSE(Digest().isEmpty());

    OpenAnswering(&ScriptPaths::three)(*Form, Paths);
    EXPECT_EQ(Form->Model.Steps.size(), std::size_t(ThreeSteps));
    EXPECT_EQ(Position(), 0);
    EXPECT_EQ(Form->CurrentPosition(), 0);
    EXPECT_EQ(Form->TrackBarProgress->maximum(), ThreeMax);
    EXPECT_EQ(Rows(), 0);
    EXPECT_TRUE(Digest().isEmpty());
    EXPECT_EQ(States(), States::Stopped);
    EXPECT_NE(Form->ImageBr->Grid(), nullptr);
}

} // namespace
