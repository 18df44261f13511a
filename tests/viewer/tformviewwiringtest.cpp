// Which handler each control event reaches, and when; and that the handlers
// reach the replay session and its changes reach the controls.
#include "formtestkit.h"
#include "reportlistview.h"
#include "tformview.h"
#include "toolbarbutton.h"
#include "windowtestsupport.h"

#include <QCoreApplication>
#include <QPlainTextEdit>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <QStandardItemModel>
#include <QWindow>

#include <gtest/gtest.h>

#include <memory>

using namespace ostrel;

namespace {

// Records every handler call instead of acting on it.
class RecordingFormView : public TFormView
{
public:
    QStringList Calls;
    bool OnScreenAtFormShow = true;
    QList<std::pair<int, bool>> SelectReports;

    void FormShow() override
    {
        Calls << "FormShow";
        OnScreenAtFormShow = windowHandle() && windowHandle()->isVisible();
    }
    void FormClose() override { Calls << "FormClose"; }
    void ToolButtonOpenClick() override { Calls << "Open"; }
    void ToolButtonPlayClick() override { Calls << "Play"; }
    void ToolButtonFwdClick() override { Calls << "Fwd"; }
    void ToolButtonPauseClick() override { Calls << "Pause"; }
    void ToolButtonQuitClick() override { Calls << "Quit"; }
    void ToolButtonEndClick() override
    {
        Calls << "End";
        TFormView::ToolButtonEndClick();
    }
    void TrackBarProgressChange() override { Calls << QStringLiteral("Change %1").arg(TrackBarProgress->value()); }
    void TimerPlayTimer() override { Calls << "Timer"; }
    void ListViewBattleSelectItem(int row, bool selected) override { SelectReports << std::pair{row, selected}; }
    void ReselectBattleRow() override { Calls << "Reselect"; }
};

class FormViewWiringTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Form = std::make_unique<RecordingFormView>();
        ASSERT_TRUE(ShowAndWait(Form.get()));
        Form->Calls.clear();
    }

    std::unique_ptr<RecordingFormView> Form;
};

TEST_F(FormViewWiringTest, EnabledButtonsReachTheirHandlersAndDisabledOnesDoNot)
{
    for (ToolBarButton *button : {Form->ToolButtonPlay, Form->ToolButtonFwd, Form->ToolButtonPause,
                                  Form->ToolButtonQuit, Form->ToolButtonOpen})
        QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(Form->Calls, QStringList{"Open"});

    Form->Calls.clear();
    for (ToolBarButton *button : {Form->ToolButtonPlay, Form->ToolButtonFwd, Form->ToolButtonPause,
                                  Form->ToolButtonQuit}) {
        button->setEnabled(true);
        QTest::mouseClick(button, Qt::LeftButton);
    }
    EXPECT_EQ(Form->Calls, (QStringList{"Play", "Fwd", "Pause", "Quit"}));
    EXPECT_TRUE(Form->isVisible());
}

TEST_F(FormViewWiringTest, EndClosesTheWindowThroughFormClose)
{
    QTest::mouseClick(Form->ToolButtonEnd, Qt::LeftButton);
    EXPECT_EQ(Form->Calls, (QStringList{"End", "FormClose"}));
    EXPECT_FALSE(Form->isVisible());
}

TEST_F(FormViewWiringTest, ClosingByAnyMeansRunsFormCloseOnce)
{
    Form->close();
    EXPECT_EQ(Form->Calls, QStringList{"FormClose"});
}

TEST(FormViewShowing, FormShowRunsOnceBeforeTheWindowIsOnScreen)
{
    RecordingFormView form;
    EXPECT_TRUE(form.Calls.isEmpty());
    ASSERT_TRUE(ShowAndWait(&form));
    EXPECT_EQ(form.Calls, QStringList{"FormShow"});
    EXPECT_FALSE(form.OnScreenAtFormShow);

    form.hide();
    ASSERT_TRUE(ShowAndWait(&form));
    EXPECT_EQ(form.Calls, QStringList{"FormShow"});
}

TEST_F(FormViewWiringTest, SliderReportsEveryRealChangeOfPosition)
{
    Form->TrackBarProgress->setEnabled(true);
    Form->TrackBarProgress->setValue(5);
    Form->TrackBarProgress->setValue(5);
    Form->TrackBarProgress->setMaximum(3);
    Form->TrackBarProgress->setFocus();
    QTest::keyClick(Form->TrackBarProgress, Qt::Key_Left);
    EXPECT_EQ(Form->Calls, (QStringList{"Change 5", "Change 3", "Change 2"}));
}

TEST_F(FormViewWiringTest, TimerTicksReachTimerPlayTimer)
{
    Form->TimerPlay->setInterval(1);
    Form->TimerPlay->start();
    EXPECT_TRUE(QTest::qWaitFor([this] { return Form->Calls.count("Timer") >= 2; }, 2000));
    Form->TimerPlay->stop();
}

TEST_F(FormViewWiringTest, SelectionChangesAreReportedRowByRowDeselectedFirst)
{
    QStandardItemModel rows;
    for (const char *caption : {"B000", "B001", "B002"})
        rows.appendRow(new QStandardItem(caption));
    Form->ListViewBattle->SetRows(&rows);
    Settle();

    Form->ListViewBattle->SelectRow(0);
    ASSERT_EQ(Form->SelectReports, (QList<std::pair<int, bool>>{{0, true}}));

    Form->SelectReports.clear();
    QTest::mouseClick(Form->ListViewBattle->viewport(), Qt::LeftButton, {},
                      QPoint(20, Form->ListViewBattle->visualRect(Form->ListViewBattle->model()->index(2, 0)).center().y()));
    EXPECT_EQ(Form->SelectReports, (QList<std::pair<int, bool>>{{0, false}, {2, true}}));

    Form->SelectReports.clear();
    Form->ListViewBattle->clearSelection();
    EXPECT_EQ(Form->SelectReports, (QList<std::pair<int, bool>>{{2, false}}));
}

// Deleting rows (a seek backwards does) deselects the selected one; the
// report comes while the row is being taken out.
TEST_F(FormViewWiringTest, DeletingTheSelectedRowReportsItDeselected)
{
    QStandardItemModel rows;
    rows.appendRow(new QStandardItem("B000"));
    Form->ListViewBattle->SetRows(&rows);
    Form->ListViewBattle->SelectRow(0);
    Form->SelectReports.clear();

    rows.removeRow(0);
    EXPECT_EQ(Form->SelectReports, (QList<std::pair<int, bool>>{{0, false}}));
    EXPECT_EQ(Form->ListViewBattle->RowCount(), 0);
}

TEST_F(FormViewWiringTest, PrivateMessageReachesReselectBattleRowAfterTheCurrentEvent)
{
    Form->PostReselectBattleRow();
    EXPECT_TRUE(Form->Calls.isEmpty());
    Settle();
    EXPECT_EQ(Form->Calls, QStringList{"Reselect"});

    Form->Calls.clear();
    Form->PostReselectBattleRow();
    Form->PostReselectBattleRow();
    Settle();
    EXPECT_EQ(Form->Calls, (QStringList{"Reselect", "Reselect"}));
}

TEST_F(FormViewWiringTest, OtherEventsTakeTheOrdinaryRoute)
{
    QCoreApplication::postEvent(Form.get(), new QEvent(static_cast<QEvent::Type>(QEvent::User + 401)));
    QCoreApplication::postEvent(Form.get(), new QEvent(static_cast<QEvent::Type>(QEvent::User + 403)));
    Settle();
    EXPECT_TRUE(Form->Calls.isEmpty());

    Form->setWindowTitle(QStringLiteral("caption"));
    EXPECT_EQ(Form->windowTitle(), QStringLiteral("caption"));
    Form->resize(600, 500);
    Settle();
    EXPECT_EQ(Form->size(), QSize(600, 500));
}

// --- The window as a front end of its session -----------------------------

TEST(FormViewSessionTest, ClicksReachTheSessionAndItsChangesReachTheControls)
{
    ForgetSettings();
    ScriptFolder files;
    ScriptedFormView form;
    ASSERT_TRUE(ShowAndWait(&form));
    form.DialogAnswer = files.Write("five.ostrelScript", FiveStepTournament());

    QTest::mouseClick(form.ToolButtonOpen, Qt::LeftButton);
    EXPECT_EQ(form.DialogCalls, 1);
    EXPECT_EQ(ControlsOf(form), States::Stopped);
    EXPECT_EQ(form.TrackBarProgress->maximum(), FiveSteps + 1);

    QTest::mouseClick(form.ToolButtonPlay, Qt::LeftButton);
    EXPECT_TRUE(form.Session.Playing());
    EXPECT_EQ(ControlsOf(form), States::PlayingSlow);

    // A tick moves the slider, the digest and the list together.
    form.TimerPlayTimer();
    form.TimerPlayTimer();
    EXPECT_EQ(form.TrackBarProgress->value(), 2);
    EXPECT_EQ(form.RichEditDigest->toPlainText().count('\n'), 4);
    EXPECT_EQ(form.ListViewBattle->RowCount(), 1);

    // Open pauses before its dialog shows; a cancelled dialog leaves it paused.
    form.DialogAnswer.clear();
    QTest::mouseClick(form.ToolButtonOpen, Qt::LeftButton);
    EXPECT_EQ(form.AtDialog, States::Stopped);
    EXPECT_EQ(ControlsOf(form), States::Stopped);

    form.TrackBarProgress->setValue(FiveSteps + 1);
    EXPECT_EQ(form.Session.CurrentPosition(), FiveSteps + 1);
    EXPECT_EQ(ControlsOf(form), States::AtEnd);
    EXPECT_TRUE(form.RichEditDigest->toPlainText().isEmpty());

    QTest::mouseClick(form.ToolButtonQuit, Qt::LeftButton);
    EXPECT_EQ(form.TrackBarProgress->value(), 0);
    EXPECT_EQ(form.ListViewBattle->RowCount(), 0);
    EXPECT_EQ(ControlsOf(form), States::Stopped);
}

TEST(FormViewSessionTest, ARefusedFileShowsItsMessage)
{
    ForgetSettings();
    ScriptFolder files;
    ScriptedFormView form;
    EXPECT_FALSE(form.OpenScript(files.Write("refused.ostrelScript", RefusedScript())));
    EXPECT_EQ(form.LoaderMessages, std::vector<int>{40002});
    EXPECT_EQ(ControlsOf(form), States::Empty);
}

} // namespace
