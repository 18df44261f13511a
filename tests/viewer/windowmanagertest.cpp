// What only a real display shows: the frame that the window manager puts
// around the window once it is on the screen, and the file dialog's
// completion popup. Run on an X server with a window manager.
#include "registrysettings.h"
#include "tformview.h"
#include "windowtestsupport.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCompleter>
#include <QFileDialog>
#include <QLineEdit>
#include <QScreen>
#include <QSettings>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <gtest/gtest.h>

using namespace ostrel;

namespace {

constexpr int Patience = 5000;  // ms for the window manager and the file system

const QString Prefix = QLatin1String(ViewerSettings::WindowPrefix);

class WindowManagerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb"));
        ForgetSettings();
    }
    void TearDown() override { ForgetSettings(); }
};

// Waits until the window's outer bounds have stayed the same for a while:
// the window manager answers requests in its own time.
void WaitUntilSettled(const QWidget &window)
{
    QRect last = window.frameGeometry();
    int sameFor = 0;
    for (int waited = 0; sameFor < 300 && waited < Patience; waited += 50) {
        QTest::qWait(50);
        sameFor = window.frameGeometry() == last ? sameFor + 50 : 0;
        last = window.frameGeometry();
    }
}

// Starts the window, waits until it has been framed and has settled, and
// closes it. Returns its outer bounds.
QRect StartAndClose()
{
    TFormView form;
    EXPECT_TRUE(ShowAndWait(&form));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !form.windowHandle()->frameMargins().isNull(); }, Patience))
        << "the window manager put no frame around the window";
    WaitUntilSettled(form);
    const QRect outer = form.frameGeometry();
    EXPECT_TRUE(form.close());
    return outer;
}

// A first start is centred, frame included; every later start comes back
// exactly to where the last one closed, as does a placement stored by hand.
TEST_F(WindowManagerTest, PlacementComesBackExactlyAtEveryStart)
{
    const QRect first = StartAndClose();
    EXPECT_LE((first.center() - QGuiApplication::primaryScreen()->availableGeometry().center()).manhattanLength(), 2);
    for (int start = 2; start <= 3; ++start)
        EXPECT_EQ(StartAndClose(), first) << "start " << start;

    const QRect stored(100, 80, 600, 520);
    for (const auto &[suffix, value] : {std::pair{"Top", stored.top()}, std::pair{"Left", stored.left()},
                                        std::pair{"Height", stored.height()}, std::pair{"Width", stored.width()}})
        ASSERT_TRUE(RegistrySettings::Write(ViewerSettings::Placement(Prefix, suffix), value));
    EXPECT_EQ(StartAndClose(), stored);
    EXPECT_EQ(StartAndClose(), stored);
}

// The normal bounds as stored, and whether the window was closed maximised.
std::pair<QRect, int> StoredPlacement()
{
    const auto read = [](const char *suffix) { return RegistrySettings::Read(ViewerSettings::Placement(Prefix, suffix)); };
    return {QRect(read("Left"), read("Top"), read("Width"), read("Height")),
            RegistrySettings::Read(ViewerSettings::Maximized(Prefix))};
}

// Waits until the window manager has the window in the state asked for and
// it has settled there.
bool SettleInState(const QWidget &window, bool maximized)
{
    const bool reached = QTest::qWaitFor([&] { return window.isMaximized() == maximized; }, Patience);
    WaitUntilSettled(window);
    return reached;
}

// A window closed maximised comes back maximised at every start, its normal
// bounds kept exactly, and returns to them when un-maximised.
TEST_F(WindowManagerTest, AMaximisedWindowComesBackMaximisedWithExactNormalBounds)
{
    const QRect normal(100, 80, 600, 520);
    {
        for (const auto &[suffix, value] : {std::pair{"Top", normal.top()}, std::pair{"Left", normal.left()},
                                            std::pair{"Height", normal.height()}, std::pair{"Width", normal.width()}})
            ASSERT_TRUE(RegistrySettings::Write(ViewerSettings::Placement(Prefix, suffix), value));
        TFormView form;
        ASSERT_TRUE(ShowAndWait(&form));
        ASSERT_TRUE(SettleInState(form, false));
        EXPECT_EQ(form.frameGeometry(), normal);
        form.showMaximized();
        ASSERT_TRUE(SettleInState(form, true));
        EXPECT_TRUE(form.close());
    }
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    for (int start = 2; start <= 4; ++start) {
        SCOPED_TRACE(start);
        EXPECT_EQ(StoredPlacement(), std::pair(normal, 1));
        TFormView form;
        ASSERT_TRUE(ShowAndWait(&form));
        ASSERT_TRUE(SettleInState(form, true)) << "not maximised again";
        // The window manager may hide the maximised frame's border just
        // off the screen's edges.
        EXPECT_TRUE(form.frameGeometry().contains(available)) << form.frameGeometry().x() << "," << form.frameGeometry().y();
        if (start == 4) {
            form.showNormal();
            ASSERT_TRUE(SettleInState(form, false));
            EXPECT_EQ(form.frameGeometry(), normal);
        }
        EXPECT_TRUE(form.close());
    }
    EXPECT_EQ(StoredPlacement(), std::pair(normal, 0));
}

// Types the path into the open dialog, waits for the completion popup as a
// user would, and presses Return there.
TEST_F(WindowManagerTest, OpenDialogLeavesNoCompletionPopupBehind)
{
    TFormView form;
    ASSERT_TRUE(ShowActiveAndWait(&form));
    const QString path = QStringLiteral(OSTREL_EXAMPLES "/default.ostrelScript");
    bool popupSeen = false;
    QTimer untilShown;
    QObject::connect(&untilShown, &QTimer::timeout, &form, [&] {
        QFileDialog *dialog = form.OpenDialogScript;
        if (!dialog->isVisible())
            return;
        untilShown.stop();
        auto *edit = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        if (!QTest::qWaitForWindowActive(dialog, Patience) || !edit)
            return dialog->reject();
        QTest::keyClicks(edit, path);
        popupSeen = QTest::qWaitFor(
            [&] { return edit->completer() && edit->completer()->popup()->isVisible(); }, Patience);
        QWidget *target = QApplication::activePopupWidget();
        QTest::keyClick(target ? target : edit, Qt::Key_Return);
        // Never left open, whatever the dialog made of the key.
        if (dialog->isVisible())
            dialog->reject();
    });
    untilShown.start(50);
    form.ToolButtonOpenClick();
    ASSERT_TRUE(popupSeen) << "the dialog never offered a completion";
    EXPECT_FALSE(form.Session.Model().Steps.empty());
    QTest::qWait(300);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    for (const QCompleter *completer : form.OpenDialogScript->findChildren<QCompleter *>())
        EXPECT_FALSE(completer->popup()->isVisible());
}

} // namespace
