// The replay session as a user drives it: the playback states and what every
// event changes, play from the start to the end, loads that succeed, fail or
// are refused, and the reset to the start. Timer ticks are delivered by
// calling the tick handler.

#include "mappainter.h"
#include "mappixels.h"
#include "playbackstate.h"
#include "scripttext.h"
#include "sessiontestkit.h"

#include "scriptreadahead.h"
#include "sjisdecoder.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <tuple>

using namespace ostrel;

namespace {

// TwoBattles has seven steps.
constexpr int Steps = 7;
constexpr int Max = Steps + 1;

std::string ThreeMoves()
{
    return ScriptBuilder(3, 3).Entrant("Ab", 0, 0).Turn().Move(0, 1, 0).Turn().Move(0, 1, 0).Turn().Move(0, 0, 1).Text();
}

const std::string Refused = "HeaderLines: 2\nVersion: 00.00.03\n";

using namespace States;

using Action = std::function<void(ReplaySession &)>;

void Load(ReplaySession &s)
{
    ASSERT_TRUE(OpenScript(s, TwoBattles()).Succeeded());
}

Action At(int position, Action then = [](ReplaySession &) {})
{
    return [position, then](ReplaySession &s) {
        Load(s);
        s.MoveSlider(position);
        then(s);
    };
}

void Play(ReplaySession &s) { s.ToolButtonPlayClick(); }
void Fwd(ReplaySession &s) { s.ToolButtonFwdClick(); }
void Pause(ReplaySession &s) { s.ToolButtonPauseClick(); }
void Quit(ReplaySession &s) { s.ToolButtonQuitClick(); }
void Tick(ReplaySession &s) { s.TimerPlayTimer(); }
Action SliderTo(int p) { return [p](ReplaySession &s) { s.MoveSlider(p); }; }
Action Then(Action first, Action second)
{
    return [first, second](ReplaySession &s) { first(s); second(s); };
}

struct EventCase {
    const char *name;
    Action reach;
    Action event;
    PlaybackState after;
    int position;
    int maximum;
};

void PrintTo(const EventCase &c, std::ostream *out)
{
    *out << c.name;
}

class SessionEventTest : public testing::TestWithParam<EventCase> {};

TEST_P(SessionEventTest, LeavesTheControlsOfItsRow)
{
    const EventCase &c = GetParam();
    ReplaySession session;
    c.reach(session);
    c.event(session);
    EXPECT_EQ(PlaybackState::Of(session), c.after);
    EXPECT_EQ(session.SliderPosition(), c.position);
    EXPECT_EQ(session.CurrentPosition(), c.position);
    EXPECT_EQ(session.SliderMax(), c.maximum);
}

const Action Nothing = [](ReplaySession &) {};
const Action LoadThree = [](ReplaySession &s) { ASSERT_TRUE(OpenScript(s, ThreeMoves()).Succeeded()); };

INSTANTIATE_TEST_SUITE_P(
    Rows, SessionEventTest,
    testing::Values(
        EventCase{"NothingLoaded", Nothing, Nothing, Empty, 0, ReplaySession::InitialSliderMax},
        EventCase{"Load", Nothing, Load, Stopped, 0, Max},
        EventCase{"PauseWhenEmpty", Nothing, Pause, Empty, 0, ReplaySession::InitialSliderMax},
        EventCase{"StoppedAt2", At(2), Nothing, Stopped, 2, Max},
        EventCase{"StoppedAtTheEnd", At(Max), Nothing, AtEnd, Max, Max},
        EventCase{"LoadAtTheEnd", At(Max), LoadThree, Stopped, 0, 4},
        EventCase{"PlayWhenStopped", At(2), Play, PlayingSlow, 2, Max},
        EventCase{"PlayWhilePlayingFast", At(2, Fwd), Play, PlayingSlow, 2, Max},
        EventCase{"FwdWhenStopped", At(2), Fwd, PlayingFast, 2, Max},
        EventCase{"FwdWhilePlayingSlow", At(2, Play), Fwd, PlayingFast, 2, Max},
        EventCase{"PauseWhilePlayingSlow", At(2, Play), Pause, Stopped, 2, Max},
        // Pause does not look at the position: Play and Fwd come on at the end.
        EventCase{"PauseWhilePlayingFastAtTheEnd", At(Max, Fwd), Pause, Stopped, Max, Max},
        EventCase{"TickWhilePlayingSlow", At(2, Play), Tick, PlayingSlow, 3, Max},
        EventCase{"TickWhilePlayingFastOntoTheEnd", At(Steps, Fwd), Tick, PlayingFast, Max, Max},
        EventCase{"TickWhilePlayingPastTheEnd", At(Max, Play), Tick, AtEnd, Max, Max},
        // The load's reset clears Playing but leaves the timer running.
        EventCase{"TickAfterALoad", At(5, Play), Then(Load, Tick), Stopped, 0, Max},
        EventCase{"QueuedTickAfterPause", At(2, Play), Then(Pause, Tick), Stopped, 2, Max},
        EventCase{"SliderToTheEndWhileStopped", At(2), SliderTo(Max), AtEnd, Max, Max},
        EventCase{"SliderBackFromTheEndWhileStopped", At(Max), SliderTo(Steps), Stopped, Steps, Max},
        EventCase{"SliderToTheEndWhilePlayingSlow", At(2, Play), SliderTo(Max), PlayingSlow, Max, Max},
        EventCase{"SliderBackWhilePlayingFast", At(5, Fwd), SliderTo(1), PlayingFast, 1, Max},
        EventCase{"SliderBeyondItsRangeIsClamped", At(2), SliderTo(Max + 40), AtEnd, Max, Max},
        EventCase{"QuitWhilePlayingSlow", At(5, Play), Quit, Stopped, 0, Max},
        EventCase{"QuitAtTheEnd", At(Max), Quit, Stopped, 0, Max}),
    [](const auto &info) { return std::string(info.param.name); });

// A click on a disabled button changes nothing; an enabled one runs its handler.
TEST(SessionClicks, DisabledButtonsCannotBeClicked)
{
    ReplaySession session;
    for (auto button : {ReplaySession::Button::Play, ReplaySession::Button::Fwd, ReplaySession::Button::Pause,
                        ReplaySession::Button::Quit})
        EXPECT_FALSE(session.Click(button));
    EXPECT_EQ(PlaybackState::Of(session), Empty);
    EXPECT_FALSE(session.MoveSlider(3));

    Load(session);
    EXPECT_FALSE(session.Click(ReplaySession::Button::Pause));
    EXPECT_TRUE(session.Click(ReplaySession::Button::Fwd));
    EXPECT_EQ(PlaybackState::Of(session), PlayingFast);
    EXPECT_FALSE(session.Click(ReplaySession::Button::Fwd));
}

TEST(SessionPlay, VisitsEveryPositionAndSwitchesOffAtTheTickAfterTheEnd)
{
    ReplaySession session;
    Load(session);
    std::vector<int> seen;
    QObject::connect(&session, &ReplaySession::Changed, [&] { seen.push_back(session.CurrentPosition()); });
    session.ToolButtonPlayClick();
    for (int tick = 1; tick <= Max; ++tick) {
        session.TimerPlayTimer();
        ASSERT_EQ(PlaybackState::Of(session), PlayingSlow) << "tick " << tick;
    }
    session.TimerPlayTimer();
    EXPECT_EQ(PlaybackState::Of(session), AtEnd);
    // One notification per action: the click, each tick and the last tick.
    EXPECT_EQ(seen, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 8}));
}

TEST(SessionPlay, SwitchingTheSpeedKeepsThePositionAndStartsTheTimerAnew)
{
    ReplaySession session;
    At(2, Play)(session);
    session.TimerPlayTimer();
    const auto digest = session.Digest();
    QSignalSpy restarts(&session, &ReplaySession::TimerRestarted);

    session.ToolButtonFwdClick();
    EXPECT_EQ(session.CurrentPosition(), 3);
    EXPECT_EQ(session.Digest(), digest);
    ASSERT_EQ(restarts.count(), 1);
    EXPECT_EQ(restarts.at(0).at(0).toInt(), ReplaySession::FastPeriod);
    session.TimerPlayTimer();
    EXPECT_EQ(restarts.count(), 1);
}

// A front end's real timer follows the two signals alone: each start and
// each stop is announced once, and a pause of a stopped timer not at all.
TEST(SessionPlay, AnnouncesEachStartAndStopOfTheTimerOnce)
{
    struct Case {
        const char *name;
        Action reach;
        Action event;
        std::vector<int> restarts;  // the intervals announced
        int stops;
    };
    for (const Case &c : {
             Case{"Play", At(2), Play, {ReplaySession::SlowPeriod}, 0},
             Case{"FwdWhilePlayingSlow", At(2, Play), Fwd, {ReplaySession::FastPeriod}, 0},
             Case{"TickWhilePlaying", At(2, Play), Tick, {}, 0},
             Case{"PauseWhilePlaying", At(2, Fwd), Pause, {}, 1},
             Case{"PauseWhenStopped", At(2), Pause, {}, 0},
             Case{"QuitWhilePlaying", At(2, Play), Quit, {}, 1},
             Case{"TickPastTheEnd", At(Max, Play), Tick, {}, 1},
             // A load stops play but leaves the timer to the next tick.
             Case{"TickAfterALoad", At(5, Play), Then(Load, Tick), {}, 1},
         }) {
        SCOPED_TRACE(c.name);
        ReplaySession session;
        c.reach(session);
        std::vector<int> restarts;
        int stops = 0;
        QObject::connect(&session, &ReplaySession::TimerRestarted, [&](int interval) { restarts.push_back(interval); });
        QObject::connect(&session, &ReplaySession::TimerStopped, [&] { ++stops; });
        c.event(session);
        EXPECT_EQ(restarts, c.restarts);
        EXPECT_EQ(stops, c.stops);
    }
}

// --- Loading -------------------------------------------------------------

TEST(SessionLoad, ARefusedFileKeepsTheTournamentAndItsRangeAfterTheReset)
{
    ReplaySession session;
    At(5)(session);
    ASSERT_EQ(session.BattleList().RowCount(), 2);

    const LoadResult result = OpenScript(session, Refused);
    EXPECT_EQ(result.Outcome, LoadResult::Refused);
    EXPECT_EQ(result.Messages, std::vector<int>{40002});
    EXPECT_EQ(session.Model().Steps.size(), std::size_t(Steps));
    EXPECT_EQ(session.SliderMax(), Max);
    // The file was opened, so the replay went back to its start first.
    EXPECT_EQ(session.CurrentPosition(), 0);
    EXPECT_EQ(session.BattleList().RowCount(), 0);
    EXPECT_TRUE(session.Digest().empty());
    EXPECT_EQ(PlaybackState::Of(session), Stopped);
    EXPECT_TRUE(session.MoveSlider(5));
    EXPECT_EQ(session.BattleList().RowCount(), 2);
}

TEST(SessionLoad, AFileThatCannotBeOpenedChangesNothing)
{
    ReplaySession session;
    At(3)(session);
    const auto digest = session.Digest();
    int changes = 0;
    QObject::connect(&session, &ReplaySession::Changed, [&] { ++changes; });

    const LoadResult result = session.OpenScript(QStringLiteral("/nonexistent/missing.ostrelScript"));
    EXPECT_EQ(result.Outcome, LoadResult::NotOpened);
    EXPECT_TRUE(result.Messages.empty());
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(session.CurrentPosition(), 3);
    EXPECT_EQ(session.Digest(), digest);
    EXPECT_EQ(session.BattleList().RowCount(), 1);
}

TEST(SessionLoad, ARefusedFirstFileLeavesTheSessionEmpty)
{
    ReplaySession session;
    EXPECT_EQ(OpenScript(session, Refused).Outcome, LoadResult::Refused);
    EXPECT_FALSE(session.HasTournament());
    EXPECT_FALSE(session.Grid().IsDrawn());
    session.ToolButtonPauseClick();
    EXPECT_EQ(PlaybackState::Of(session), Empty);
}

// The entrants may be read while the events are still being read; a refused
// file announces none and leaves the model alone.
TEST(SessionLoad, TheReadAheadAnnouncesTheEntrantsOfAcceptedFilesOnly)
{
    const std::string accepted = ScriptBuilder(3, 1).Entrant("Ab", 0, 0).Entrant("Cd", 2, 0).Turn().Move(0, 1, 0).Text();
    for (const auto &[text, entrantsIn, outcome] :
         {std::tuple{accepted, true, LoadResult::Loaded}, std::tuple{Refused, false, LoadResult::Refused}}) {
        const std::unique_ptr<std::FILE, FileCloser> file(std::tmpfile());
        ASSERT_TRUE(file && std::fwrite(text.data(), 1, text.size(), file.get()) == text.size());
        std::rewind(file.get());
        ReplayModel model;
        ScriptReadAhead read(model, file.get());
        ASSERT_EQ(read.WaitForEntrants(), entrantsIn);
        std::vector<int> columns;
        for (const Entrant &entrant : model.Entrants)
            columns.push_back(entrant.X);
        EXPECT_EQ(read.Finish().Outcome, outcome);
        EXPECT_EQ(columns, (entrantsIn ? std::vector<int>{0, 2} : std::vector<int>{}));
        EXPECT_EQ(model.Steps.size(), entrantsIn ? 1u : 0u);
    }
}

// Open as the user does it, with the file chosen by the user (or not) or
// given already. Whoever asks sees playback paused, and told so, first.
TEST(SessionOpen, PausesBeforeTheFileIsChosenAndThenOpensIt)
{
    const QString example = QStringLiteral(OSTREL_EXAMPLES "/default.ostrelScript");
    struct Case {
        const char *name;
        std::optional<QString> chosen;  // nullopt: cancelled
        bool given;                     // the path overload, no chooser
    };
    for (const Case &c : {Case{"cancelled", std::nullopt, false}, Case{"chosen", example, false},
                          Case{"given", example, true}}) {
        SCOPED_TRACE(c.name);
        ReplaySession session;
        At(2, Play)(session);
        int changes = 0;
        QObject::connect(&session, &ReplaySession::Changed, [&] { ++changes; });
        PlaybackState atChoice;
        int changesAtChoice = -1;
        const auto choose = [&] {
            atChoice = PlaybackState::Of(session);
            changesAtChoice = changes;
            return c.chosen;
        };

        const std::optional<LoadResult> result =
            c.given ? session.ToolButtonOpenClick(*c.chosen) : session.ToolButtonOpenClick(choose);
        if (!c.given) {
            EXPECT_EQ(atChoice, Stopped);
            EXPECT_EQ(changesAtChoice, 1);
        }
        EXPECT_EQ(PlaybackState::Of(session), Stopped);
        EXPECT_EQ(result.has_value(), c.chosen.has_value());
        if (!result) {
            EXPECT_EQ(session.CurrentPosition(), 2);
            EXPECT_EQ(session.SliderMax(), Max);
            continue;
        }
        EXPECT_TRUE(result->Succeeded());
        EXPECT_EQ(session.CurrentPosition(), 0);
        EXPECT_EQ(session.SliderMax(), int(session.Model().Steps.size()) + 1);
        EXPECT_NE(session.SliderMax(), Max);
    }
}

// --- Back to the start ---------------------------------------------------

TEST(SessionReset, ShowsThePositionZeroMapWithEmptyListAndDigest)
{
    const std::unique_ptr<ReplaySession> session = OpenSession(TwoBattles());
    ASSERT_TRUE(session->MoveSlider(5));
    ASSERT_TRUE(session->MoveSlider(0));
    const QImage atZero = RenderMap(session->Grid());
    const std::vector<EntrantState> statesAtZero = StatesOf(session->Model().Entrants);
    ASSERT_TRUE(session->MoveSlider(7));
    ASSERT_EQ(session->BattleList().RowCount(), 2);

    session->ToolButtonPlayClick();
    session->ResetToStart();
    EXPECT_FALSE(session->Playing());
    EXPECT_EQ(session->SliderPosition(), 0);
    EXPECT_EQ(session->CurrentPosition(), 0);
    EXPECT_EQ(session->BattleList().RowCount(), 0);
    EXPECT_TRUE(session->Digest().empty());
    EXPECT_EQ(StatesOf(session->Model().Entrants), statesAtZero);
    EXPECT_TRUE(RenderMap(session->Grid()) == atZero);
}

TEST(SessionReset, AtPositionZeroOnlyEmptiesListAndDigest)
{
    const std::unique_ptr<ReplaySession> session = OpenSession(TwoBattles());
    ASSERT_TRUE(session->MoveSlider(1));
    ASSERT_TRUE(session->MoveSlider(0));
    ASSERT_FALSE(session->Digest().empty());
    const QImage map = RenderMap(session->Grid());

    session->ToolButtonQuitClick();
    EXPECT_TRUE(session->Digest().empty());
    EXPECT_EQ(session->BattleList().RowCount(), 0);
    EXPECT_TRUE(RenderMap(session->Grid()) == map);
}

TEST(SessionReset, ASecondLoadDropsTheOldHighlightWithoutDrawingIt)
{
    const std::string second = ScriptBuilder(2, 1).Entrant("Zz", 1, 0).Turn().Move(0, -1, 0).Text();
    const std::unique_ptr<ReplaySession> fresh = OpenSession(second);

    // The reset before the second load lands on the first fight of the old
    // tournament and highlights it.
    const std::unique_ptr<ReplaySession> session = OpenSession(ScriptBuilder(3, 1)
                                                                   .Entrant("Ab", 0, 0).Entrant("Cd", 2, 0)
                                                                   .Turn().Fight(1).Player(0, 0, 50).Player(1, 1, 40)
                                                                   .Turn().Move(0, 1, 0)
                                                                   .Text());
    ASSERT_TRUE(session->MoveSlider(2));
    ASSERT_TRUE(OpenScript(*session, second).Succeeded());

    EXPECT_FALSE(session->Engine().HighlightActive());
    EXPECT_EQ(session->CurrentPosition(), 0);
    EXPECT_TRUE(RenderMap(session->Grid()) == RenderMap(fresh->Grid()));
    ASSERT_TRUE(session->MoveSlider(1));
    EXPECT_EQ(StatesOf(session->Model().Entrants), (std::vector<EntrantState>{{0, 0, 100, -1}}));
    EXPECT_EQ(CellColours(RenderMap(session->Grid()), 0, 0).count(MapColour::White), 1u);
}

// --- The battle rows as a model for list views ----------------------------

// A view that reads a row's texts only when it hears of them: as a row is
// inserted, when its data changed, or on a reset.
class CachingView {
public:
    explicit CachingView(const QAbstractItemModel &model) : model_(model)
    {
        QObject::connect(&model, &QAbstractItemModel::rowsInserted, [this](const QModelIndex &, int first, int last) {
            rows_.insert(rows_.begin() + first, std::size_t(last - first + 1), {});
            Read(first, last);
        });
        QObject::connect(&model, &QAbstractItemModel::rowsRemoved, [this](const QModelIndex &, int first, int last) {
            rows_.erase(rows_.begin() + first, rows_.begin() + last + 1);
        });
        QObject::connect(&model, &QAbstractItemModel::dataChanged,
                         [this](const QModelIndex &from, const QModelIndex &to) { Read(from.row(), to.row()); });
        QObject::connect(&model, &QAbstractItemModel::modelReset, [this] {
            rows_.assign(std::size_t(model_.rowCount()), {});
            Read(0, model_.rowCount() - 1);
        });
    }
    const std::vector<QStringList> &Rows() const { return rows_; }

private:
    void Read(int first, int last)
    {
        for (int row = first; row <= last; ++row) {
            rows_[std::size_t(row)].clear();
            for (int column = 0; column < model_.columnCount(); ++column)
                rows_[std::size_t(row)] << model_.index(row, column).data().toString();
        }
    }
    const QAbstractItemModel &model_;
    std::vector<QStringList> rows_;
};

// Whatever the seeks, a view that rereads only the rows it is told of shows
// what the rows hold, and hears of a seek's new rows in one insertion.
TEST(SessionBattleRows, ViewsFollowEverySeekConsistently)
{
    const std::unique_ptr<ReplaySession> session = OpenSession(RandomTournament(7));
    QAbstractItemModel &model = *session->BattleListModel();
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    const CachingView view(model);
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    const int max = session->SliderMax();

    ASSERT_TRUE(session->MoveSlider(max));
    ASSERT_GT(model.rowCount(), 1);
    EXPECT_EQ(inserted.count(), 1);
    // Single steps change the turns of running battles only.
    for (int position : {max / 2, max / 2 + 1, max / 2 + 2, 3, max - 1, 0, max, 1, max / 3, max / 3 + 1}) {
        session->MoveSlider(position);
        std::vector<QStringList> rows;
        for (const BattleListControl::Row &texts : session->BattleList().Rows()) {
            rows.emplace_back();
            for (const std::string &text : texts)
                rows.back() << DecodeSjisForDisplay(text);
        }
        ASSERT_EQ(view.Rows(), rows) << "position " << position;
    }
}

} // namespace
