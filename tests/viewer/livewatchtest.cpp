// The window watching its open file while it is written: the slider follows
// the live end only from the end, End and the live indicator re-attach, a
// replaced file reloads with a note in the status bar, a vanished file
// keeps the tournament, and the real watch picks up an append.
#include "formtestkit.h"
#include "liveindicator.h"
#include "scripttext.h"
#include "scriptwatch.h"
#include "uitext.h"
#include "vieweractions.h"
#include "windowtestsupport.h"

#include <QAction>
#include <QFile>
#include <QSlider>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace ostrel;

namespace {

constexpr int FullMax = 8;  // TwoBattles: seven steps

// TwoBattles up to the line that starts its fourth turn.
std::string FirstTurns()
{
    const std::string whole = TwoBattles();
    std::size_t cut = 0;
    for (int turn = 0; turn < 4; ++turn)
        cut = whole.find("\nTurn", cut + 1);
    return whole.substr(0, cut + 1);
}

class LiveWatchTest : public ::testing::Test {
protected:
    // A new window with the first turns opened.
    void Start()
    {
        Form = std::make_unique<ScriptedFormView>();
        ASSERT_TRUE(ShowActiveAndWait(Form.get()));
        Path = Files.Write(QStringLiteral("live.ostrelScript"), FirstTurns());
        ASSERT_TRUE(Form->OpenScript(Path));
        PrefixMax = Form->Session.SliderMax();
        ASSERT_LT(PrefixMax, FullMax);
    }
    void Append(const std::string &bytes) const
    {
        QFile file(Path);
        ASSERT_TRUE(file.open(QIODevice::Append));
        ASSERT_EQ(file.write(bytes.data(), qint64(bytes.size())), qint64(bytes.size()));
    }
    // The rest of the tournament in two appends, the first cut inside a
    // line; without its End line, the file may still grow.
    void GrowToTheEnd(bool withEndLine = true)
    {
        std::string rest = TwoBattles().substr(FirstTurns().size());
        if (!withEndLine)
            rest.erase(rest.rfind("End"));
        Append(rest.substr(0, 7));
        Form->Watch->TakeIn();
        Append(rest.substr(7));
        Form->Watch->TakeIn();
        Settle();
    }
    // Replaced by a rename over the path, or removed.
    void Replace(const std::string *bytes) const
    {
        ASSERT_TRUE(QFile::remove(Path));
        if (bytes) {
            ASSERT_TRUE(QFile::rename(Files.Write(QStringLiteral("next.ostrelScript"), *bytes), Path));
        }
    }
    QString Indicator() const { return Form->LabelLive->isVisible() ? Form->LabelLive->text() : QString(); }

    ScriptFolder Files;
    QString Path;
    int PrefixMax = 0;
    std::unique_ptr<ScriptedFormView> Form;
    MessageBoxCatcher Boxes;
};

TEST_F(LiveWatchTest, TheSliderFollowsTheLiveEndOnlyFromTheEnd)
{
    struct Case {
        const char *Name;
        bool AtEnd;
        bool LiveFirst;  // a growth was taken in before the slider was placed
    };
    for (const Case &test : {Case{"at the end", true, false}, Case{"back at 1", false, false},
                             Case{"at the end, live", true, true}, Case{"back at 1, live", false, true}}) {
        SCOPED_TRACE(test.Name);
        Start();
        if (test.LiveFirst) {
            Append("");
            Form->Watch->Files().Look();
            Form->Watch->TakeIn();
        }
        Form->Session.MoveSlider(test.AtEnd ? Form->Session.SliderMax() : 1);
        GrowToTheEnd();
        EXPECT_EQ(Form->Session.SliderMax(), FullMax);
        EXPECT_EQ(Form->TrackBarProgress->maximum(), FullMax);
        EXPECT_EQ(Form->Session.SliderPosition(), test.AtEnd ? FullMax : 1);
        EXPECT_EQ(Form->TrackBarProgress->value(), Form->Session.SliderPosition());
        EXPECT_TRUE(Form->LoaderMessages.empty());
    }
}

// A clip's worker reads the steps: growth waits until the hold ends.
TEST_F(LiveWatchTest, GrowthWaitsWhileTheWatchIsHeld)
{
    Start();
    Form->Session.MoveSlider(Form->Session.SliderMax());
    {
        const ScriptWatch::Held held(*Form->Watch);
        GrowToTheEnd();
        EXPECT_EQ(Form->Session.SliderMax(), PrefixMax);
    }
    Settle();
    EXPECT_EQ(Form->Session.SliderMax(), FullMax);
}

TEST_F(LiveWatchTest, EndAndTheIndicatorGoBackToTheLiveEnd)
{
    const std::function<void()> reattach[] = {
        [this] { Form->Actions->Last->trigger(); },
        [this] { QTest::mouseClick(Form->LabelLive, Qt::LeftButton); },
    };
    for (const auto &act : reattach) {
        Start();
        Form->Session.MoveSlider(2);
        GrowToTheEnd(false);
        EXPECT_TRUE(Form->Watch->Live());
        EXPECT_TRUE(Indicator().contains(UiText(IdsLiveBehind).arg(FullMax - 2))) << qPrintable(Indicator());
        EXPECT_TRUE(Indicator().contains(UiText(IdsLiveGrowing)));
        act();
        Settle();
        EXPECT_EQ(Form->Session.SliderPosition(), FullMax);
        EXPECT_TRUE(Indicator().contains(UiText(IdsLiveAtEnd))) << qPrintable(Indicator());
    }
}

// Before the first growth the window holds Open's load; after it, the
// session reads the file live. Either way the file is the same to the user.
TEST_F(LiveWatchTest, AReplacedFileIsLoadedAnewWithANoteAndNoBox)
{
    const std::string three = ThreeStepTournament();
    for (const bool live : {false, true}) {
        SCOPED_TRACE(live ? "live" : "as opened");
        Start();
        if (live)
            GrowToTheEnd();
        Form->Session.MoveSlider(2);
        Replace(&three);
        Form->Watch->TakeIn();
        Settle();
        EXPECT_EQ(Form->Session.SliderMax(), ThreeSteps + 1);
        EXPECT_EQ(Form->Session.SliderPosition(), 0);
        EXPECT_EQ(Form->Watch->CurrentNote(), ScriptWatch::Note::Reloaded);
        EXPECT_TRUE(Indicator().contains(UiText(IdsLiveReloaded)));
        EXPECT_TRUE(Form->LoaderMessages.empty());
        EXPECT_TRUE(Boxes.Boxes.isEmpty());
    }
}

TEST_F(LiveWatchTest, AVanishedFileKeepsTheTournamentAndComesBackToLife)
{
    for (const bool live : {false, true}) {
        SCOPED_TRACE(live ? "live" : "as opened");
        Start();
        if (live)
            GrowToTheEnd();
        const int max = Form->Session.SliderMax();
        Form->Session.MoveSlider(1);
        Replace(nullptr);
        Form->Watch->TakeIn();
        Settle();
        EXPECT_EQ(Form->Session.SliderMax(), max);
        EXPECT_EQ(Form->Session.SliderPosition(), 1);
        EXPECT_TRUE(Indicator().contains(UiText(IdsLiveMissing))) << qPrintable(Indicator());
        EXPECT_TRUE(Boxes.Boxes.isEmpty());
        // The game writes it again from the start.
        Files.Write(QStringLiteral("live.ostrelScript"), TwoBattles());
        Form->Watch->TakeIn();
        Settle();
        EXPECT_EQ(Form->Session.SliderMax(), FullMax);
        EXPECT_FALSE(Indicator().contains(UiText(IdsLiveMissing)));
    }
}

TEST_F(LiveWatchTest, AFileTooShortToLoadIsWaitedForWithoutABox)
{
    Start();
    const std::string whole = TwoBattles();
    const std::string header = whole.substr(0, 40);
    Replace(&header);
    Form->Watch->TakeIn();
    Settle();
    EXPECT_EQ(Form->Watch->CurrentNote(), ScriptWatch::Note::Waiting);
    EXPECT_TRUE(Form->Session.HasTournament());
    Append(whole.substr(40));
    Form->Watch->TakeIn();
    Settle();
    EXPECT_EQ(Form->Session.SliderMax(), FullMax);
    EXPECT_TRUE(Form->LoaderMessages.empty());
    EXPECT_TRUE(Boxes.Boxes.isEmpty());
}

TEST_F(LiveWatchTest, TheRealWatchPicksUpAnAppendWithinASecond)
{
    Start();
    Form->Session.MoveSlider(PrefixMax);
    Append(TwoBattles().substr(FirstTurns().size()));
    QTRY_COMPARE_WITH_TIMEOUT(Form->Session.SliderMax(), FullMax, 1000);
    EXPECT_EQ(Form->Session.SliderPosition(), FullMax);
}

} // namespace
