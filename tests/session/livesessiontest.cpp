// A session watching a file that grows in chunks cut at random bytes shows,
// after every take-in, what a session that opened the bytes taken in shows
// at the same position: the entrants, the digest, the battle rows, the
// highlight and the whole-tournament index. Following the live end, and
// standing still in the middle.

#include "scripttext.h"
#include "sessiontestkit.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryFile>

#include <random>
#include <sstream>

using namespace ostrel;

namespace {

std::string Shown(const ReplaySession &session)
{
    std::ostringstream out;
    out << session.CurrentPosition() << "/" << session.SliderMax() << " highlight "
        << session.Engine().HighlightActive() << session.Engine().HighlightStepNumber() << "\n";
    for (const EntrantState &state : StatesOf(session.Model().Entrants))
        out << state << " ";
    for (const std::string &line : session.Digest())
        out << "\n" << line;
    for (const BattleListControl::Row &row : session.BattleList().Rows()) {
        for (const std::string &cell : row)
            out << "|" << cell;
        out << "\n";
    }
    const TournamentIndex &index = session.Index();
    for (std::size_t p = 0; p < index.Alive().size(); ++p)
        out << index.Alive()[p] << ":" << index.BattleAt()[p] << " ";
    for (int e = 0; e < int(session.Model().Entrants.size()); ++e) {
        const EntrantHistory history = index.HistoryOf(session.Model(), e);
        out << "\n" << e << ":" << history.Cells.size() << "," << history.Rates.size() << ","
            << history.Statuses.size();
        for (const EntrantHistory::Battle &battle : history.Battles)
            out << " " << battle.Index << "@" << battle.First << "-" << battle.Last;
    }
    return out.str();
}

std::string ShownAfterOpening(const std::string &bytes, int position)
{
    const std::unique_ptr<ReplaySession> session = std::make_unique<ReplaySession>();
    OpenScript(*session, bytes);
    session->MoveSlider(position);
    return Shown(*session);
}

void ExpectLiveEqualsOpening(const std::string &bytes, bool follow, unsigned seed)
{
    std::mt19937 random(seed);
    QTemporaryFile file;
    ASSERT_TRUE(file.open());
    const std::size_t events = bytes.find("Turn:");
    file.write(bytes.data(), qint64(events));
    file.flush();
    ReplaySession session;
    ASSERT_TRUE(session.OpenLive(file.fileName()).has_value());
    session.MoveSlider(follow ? session.SliderMax() : 0);
    std::size_t written = events;
    int stand = 0;  // where a user who does not follow puts the slider
    while (written < bytes.size()) {
        std::size_t chunk = 1 + random() % 120;
        // Now and then a cut just after a Fight line, before its players.
        const std::size_t fight = bytes.find("Fight:", written);
        if (random() % 3 == 0 && fight != std::string::npos)
            chunk = bytes.find('\n', fight) + 1 - written;
        chunk = std::min(chunk, bytes.size() - written);
        file.write(bytes.data() + written, qint64(chunk));
        file.flush();
        written += chunk;
        const ReplaySession::LiveTake take = session.TakeInAppended();
        ASSERT_EQ(take.What, ReplaySession::Growth::Grown);
        if (follow)
            ASSERT_EQ(session.SliderPosition(), session.SliderMax());
        else
            ASSERT_EQ(session.SliderPosition(), stand) << "a user's position is never moved";
        const std::string prefix = bytes.substr(0, std::size_t(session.LiveBytes()));
        ASSERT_EQ(Shown(session), ShownAfterOpening(prefix, session.SliderPosition())) << "at byte " << written;
        if (!follow && random() % 4 == 0) {
            stand = int(random() % std::size_t(session.SliderMax()));  // below the end: no following
            session.MoveSlider(stand);
        }
    }
    session.FinishLive();
    EXPECT_EQ(session.LiveBytes(), bytes.size());
    EXPECT_EQ(Shown(session), ShownAfterOpening(bytes, session.SliderPosition()));
}

TEST(LiveSession, FollowingTheLiveEndShowsWhatOpeningTheBytesTakenInShows)
{
    for (unsigned seed : {1u, 5u})
        ExpectLiveEqualsOpening(RandomTournament(seed), true, seed);
}

TEST(LiveSession, StandingStillShowsWhatOpeningTheBytesTakenInShows)
{
    for (unsigned seed : {2u, 9u})
        ExpectLiveEqualsOpening(RandomTournament(seed), false, seed);
}

TEST(LiveSession, AFileRenamedOverTheWatchedOneIsLoadedAnew)
{
    const ScriptFolder files;
    const std::string first = TwoBattles();
    const QString watched = files.Write(QStringLiteral("watched.ostrelScript"), first.substr(0, first.size() - 10));
    ReplaySession session;
    ASSERT_TRUE(session.OpenLive(watched).has_value());
    EXPECT_EQ(session.TakeInAppended().What, ReplaySession::Growth::Unchanged);

    const std::string second = RandomTournament(4);
    const QString other = files.Write(QStringLiteral("other.ostrelScript"), second);
    ASSERT_TRUE(QFile::remove(watched));
    ASSERT_TRUE(QFile::rename(other, watched));
    EXPECT_EQ(session.TakeInAppended().What, ReplaySession::Growth::Reloaded);
    EXPECT_EQ(Shown(session), ShownAfterOpening(second, 0));

    ASSERT_TRUE(QFile::remove(watched));
    EXPECT_EQ(session.TakeInAppended().What, ReplaySession::Growth::Unreadable);
    EXPECT_EQ(Shown(session), ShownAfterOpening(second, 0)) << "a vanished file keeps the tournament";
}

} // namespace
