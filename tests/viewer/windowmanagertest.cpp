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

namespace {

constexpr int Patience = 5000;  // ms for the window manager and the file system

const QString Prefix = QLatin1String(ViewerSettings::WindowPrefix);

QRect StoredOuterBounds()
{
    const auto read = [](const char *suffix) {
        return RegistrySettings::Read(ViewerSettings::Placement(Prefix, suffix));
    };
    return QRect(read("Left"), read("Top"), read("Width"), read("Height"));
}

void StoreOuterBounds(QRect bounds)
{
    const auto write = [](const char *suffix, int value) {
        ASSERT_TRUE(RegistrySettings::Write(ViewerSettings::Placement(Prefix, suffix), value));
    };
    write("Top", bounds.top());
    write("Left", bounds.left());
    write("Height", bounds.height());
    write("Width", bounds.width());
}

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

TEST_F(WindowManagerTest, StoredPlacementComesBackExactlyAtEveryStart)
{
    const QRect stored(100, 80, 600, 520);
    StoreOuterBounds(stored);
    for (int start = 1; start <= 3; ++start) {
        SCOPED_TRACE(start);
        EXPECT_EQ(StartAndClose(), stored);
        EXPECT_EQ(StoredOuterBounds(), stored);
    }
}

TEST_F(WindowManagerTest, FirstStartIsCentredFrameIncludedAndComesBackThere)
{
    const QRect first = StartAndClose();
    const QPoint offset = first.center() - QGuiApplication::primaryScreen()->availableGeometry().center();
    EXPECT_LE(std::abs(offset.x()), 1);
    EXPECT_LE(std::abs(offset.y()), 1);
    EXPECT_EQ(StoredOuterBounds(), first);
    EXPECT_EQ(StartAndClose(), first);
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
    EXPECT_FALSE(form.Model.Steps.empty());
    QTest::qWait(300);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    for (const QCompleter *completer : form.OpenDialogScript->findChildren<QCompleter *>())
        EXPECT_FALSE(completer->popup()->isVisible());
}

} // namespace
