// The window's keyboard shortcuts, wherever the focus is, and the files
// dropped on the window; the battle list's menu moves.

#include "battlelistmenu.h"
#include "formtestkit.h"
#include "reportlistview.h"
#include "stringtable.h"
#include "vieweractions.h"
#include "windowtestsupport.h"

#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

#include <memory>

using namespace ostrel;

namespace {

// FiveStepTournament: battle 1 runs from step 2 to step 3, battle 2 is
// fought at step 5; the end position is 6.
constexpr int Max = FiveSteps + 1;

class ShortcutTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Form = std::make_unique<ScriptedFormView>();
        ASSERT_TRUE(ShowActiveAndWait(Form.get()));
    }

    void Load()
    {
        ASSERT_TRUE(Form->OpenScript(Files.Write("five.ostrelScript", FiveStepTournament())));
    }

    // Presses the key in the widget that has the focus and counts the
    // triggers of action.
    int Press(QWidget *focus, QKeySequence key, QAction *action)
    {
        focus->setFocus();
        Settle();
        EXPECT_EQ(QApplication::focusWidget(), focus);
        QSignalSpy triggered(action, &QAction::triggered);
        const QKeyCombination combination = key[0];
        QTest::keyClick(focus, combination.key(), combination.keyboardModifiers());
        Settle();
        return int(triggered.count());
    }

    ScriptFolder Files;
    std::unique_ptr<ScriptedFormView> Form;
};

struct KeyCase {
    const char *name;
    QAction *ViewerActions::*action;
    int from;
    bool playing;
    int to;
    PlaybackState after;
};

void PrintTo(const KeyCase &c, std::ostream *out)
{
    *out << c.name;
}

class ShortcutCaseTest : public ShortcutTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(ShortcutCaseTest, ReachesItsActionFromTheListAndFromTheDigest)
{
    const KeyCase &c = GetParam();
    for (QWidget *focus : std::initializer_list<QWidget *>{Form->ListViewBattle, Form->RichEditDigest}) {
        Load();
        Form->Session.MoveSlider(c.from);
        if (c.playing)
            Form->ToolButtonPlayClick();
        QAction *action = Form->Actions->*c.action;
        EXPECT_EQ(Press(focus, action->shortcut(), action), 1) << focus->metaObject()->className();
        EXPECT_EQ(Form->TrackBarProgress->value(), c.to) << focus->metaObject()->className();
        EXPECT_EQ(ControlsOf(*Form), c.after) << focus->metaObject()->className();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Keys, ShortcutCaseTest,
    ::testing::Values(KeyCase{"Space plays", &ViewerActions::PlayPause, 1, false, 1, States::PlayingSlow},
                      KeyCase{"Space pauses", &ViewerActions::PlayPause, 1, true, 1, States::Stopped},
                      KeyCase{"F plays fast", &ViewerActions::Fast, 1, false, 1, States::PlayingFast},
                      KeyCase{"Right pauses and steps", &ViewerActions::StepForward, 2, true, 3, States::Stopped},
                      KeyCase{"Left steps back", &ViewerActions::StepBack, 2, false, 1, States::Stopped},
                      KeyCase{"Ctrl+Right", &ViewerActions::NextBattle, 2, false, 5, States::Stopped},
                      KeyCase{"Ctrl+Left", &ViewerActions::PreviousBattle, 4, false, 2, States::Stopped},
                      KeyCase{"Home", &ViewerActions::First, 4, false, 0, States::Stopped},
                      KeyCase{"End", &ViewerActions::Last, 4, false, Max, States::AtEnd}));

TEST_F(ShortcutTest, OpenAndCloseReachTheirButtonsHandlers)
{
    Form->DialogAnswer = Files.Write("five.ostrelScript", FiveStepTournament());
    EXPECT_EQ(Press(Form->ListViewBattle, QKeySequence::Open, Form->Actions->Open), 1);
    EXPECT_EQ(Form->DialogCalls, 1);
    EXPECT_EQ(ControlsOf(*Form), States::Stopped);

    EXPECT_EQ(Press(Form->ListViewBattle, Qt::CTRL | Qt::Key_Q, Form->Actions->Close), 1);
    EXPECT_FALSE(Form->isVisible());
}

TEST_F(ShortcutTest, DoNothingWhereTheirButtonIsDisabled)
{
    using Action = QAction *ViewerActions::*;
    for (Action action : {&ViewerActions::PlayPause, &ViewerActions::Fast, &ViewerActions::StepForward,
                          &ViewerActions::StepBack, &ViewerActions::NextBattle, &ViewerActions::PreviousBattle,
                          &ViewerActions::First, &ViewerActions::Last}) {
        QAction *shortcut = Form->Actions->*action;
        EXPECT_FALSE(shortcut->isEnabled()) << shortcut->shortcut().toString().toStdString();
        EXPECT_EQ(Press(Form->ListViewBattle, shortcut->shortcut(), shortcut), 0);
    }
    EXPECT_EQ(ControlsOf(*Form), States::Empty);

    // At the end Play and Fwd are disabled, so are Space and F.
    Load();
    Form->Session.MoveSlider(Max);
    for (QAction *shortcut : {Form->Actions->PlayPause, Form->Actions->Fast}) {
        EXPECT_FALSE(shortcut->isEnabled());
        EXPECT_EQ(Press(Form->ListViewBattle, shortcut->shortcut(), shortcut), 0);
    }
    EXPECT_EQ(ControlsOf(*Form), States::AtEnd);
}

TEST_F(ShortcutTest, TheFocusedSliderKeepsItsOwnKeys)
{
    Load();
    Form->Session.MoveSlider(3);
    Form->ToolButtonPlayClick();
    struct SliderKey {
        Qt::Key key;
        int to;
    };
    std::vector<std::unique_ptr<QSignalSpy>> spies;
    for (QAction *action : Form->actions())
        spies.push_back(std::make_unique<QSignalSpy>(action, &QAction::triggered));
    Form->TrackBarProgress->setFocus();
    for (const SliderKey &k : {SliderKey{Qt::Key_Right, 4}, SliderKey{Qt::Key_Left, 3}, SliderKey{Qt::Key_End, Max},
                               SliderKey{Qt::Key_Home, 0}}) {
        QTest::keyClick(Form->TrackBarProgress, k.key);
        Settle();
        EXPECT_EQ(Form->TrackBarProgress->value(), k.to) << QKeySequence(k.key).toString().toStdString();
        EXPECT_EQ(Form->Session.CurrentPosition(), k.to);
        EXPECT_TRUE(Form->Session.Playing()) << "a slider key never pauses";
    }
    for (const auto &spy : spies)
        EXPECT_EQ(spy->count(), 0) << "no window shortcut took a slider key";
    // Keys the slider has no use for still reach the window.
    EXPECT_EQ(Press(Form->TrackBarProgress, Qt::Key_Space, Form->Actions->PlayPause), 1);
    EXPECT_FALSE(Form->Session.Playing());
}

class DropTest : public ShortcutTest {
protected:
    // Drags the files' URLs onto the window and drops them; true when the
    // window accepted the drag.
    bool Drop(const QList<QUrl> &urls)
    {
        QMimeData data;
        data.setUrls(urls);
        const QPoint at = Form->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(Form.get(), &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(Form.get(), &drop);
        Settle();
        return drop.isAccepted();
    }
};

TEST_F(DropTest, ADroppedFileOpensAsWithOpenPausedFirstWithoutTheDialog)
{
    Load();
    Form->Session.MoveSlider(2);
    Form->ToolButtonPlayClick();
    const QString three = Files.Write("three.ostrelScript", ThreeStepTournament());
    ASSERT_TRUE(Drop({QUrl::fromLocalFile(three)}));
    EXPECT_EQ(Form->DialogCalls, 0);
    EXPECT_EQ(ControlsOf(*Form), States::Stopped);
    EXPECT_EQ(Form->TrackBarProgress->value(), 0);
    EXPECT_EQ(Form->TrackBarProgress->maximum(), ThreeSteps + 1);
}

TEST_F(DropTest, ARefusedFileGetsTheLoadersMessageAndKeepsTheTournament)
{
    Load();
    Form->ToolButtonPlayClick();
    ASSERT_TRUE(Drop({QUrl::fromLocalFile(Files.Write("refused.ostrelScript", RefusedScript()))}));
    EXPECT_EQ(Form->LoaderMessages, std::vector<int>{IdsNotAScript});
    EXPECT_FALSE(Form->Session.Playing());
    EXPECT_EQ(Form->TrackBarProgress->maximum(), Max);
}

TEST_F(DropTest, FoldersAndRemoteFilesAreNotTaken)
{
    EXPECT_FALSE(Drop({QUrl::fromLocalFile(Files.Path(QString()))}));
    EXPECT_FALSE(Drop({QUrl(QStringLiteral("https://example.com/a.ostrelScript"))}));
    EXPECT_FALSE(Drop({}));
    EXPECT_EQ(ControlsOf(*Form), States::Empty);
}

TEST_F(ShortcutTest, TheBattleListMenuGoesToTheStartOrTheEndOfItsRowsBattle)
{
    Load();
    Form->Session.MoveSlider(Max);
    BattleListMenu first(Form->Session, 0, Form.get());
    first.GoToEnd->trigger();
    EXPECT_EQ(Form->TrackBarProgress->value(), 3);
    first.GoToStart->trigger();
    EXPECT_EQ(Form->TrackBarProgress->value(), 2);
    BattleListMenu second(Form->Session, 1, Form.get());
    second.GoToStart->trigger();
    EXPECT_EQ(Form->TrackBarProgress->value(), 5);
}

} // namespace
