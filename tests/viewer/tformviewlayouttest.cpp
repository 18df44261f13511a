// The main window as built: controls, their first state, geometry, docking,
// splitter limits, fonts and the open dialog.
#include "fontfaces.h"
#include "mapimage.h"
#include "panesplitter.h"
#include "reportlistview.h"
#include "tformview.h"
#include "toolbarbutton.h"
#include "windowtestsupport.h"

#include <QApplication>
#include <QFileDialog>
#include <QFontInfo>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolTip>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

using namespace ostrel;

namespace {

constexpr QSize DesignClient(472, 438);
constexpr QSize MinimumClient(451, 438);
// Title strip, horizontal splitter, toolbar and status bar.
constexpr int FixedRowsHeight = 25 + 5 + 36 + 20;

class FormViewTest : public ::testing::Test
{
protected:
    // The layout as designed: no stored settings, and the design pane sizes
    // in place of the defaults that the start-up gives them.
    void SetUp() override
    {
        ForgetSettings();
        Form = std::make_unique<TFormView>();
        Form->SetMapHeight(216);
        Form->SetListWidth(250);
        ASSERT_TRUE(ShowAndWait(Form.get()));
    }

    void ResizeClient(QSize size)
    {
        Form->resize(size);
        Settle();
    }

    std::unique_ptr<TFormView> Form;
};

TEST_F(FormViewTest, StartsEmptyWithOnlyOpenAndEndEnabled)
{
    EXPECT_TRUE(Form->ToolButtonOpen->isEnabled());
    EXPECT_TRUE(Form->ToolButtonEnd->isEnabled());
    EXPECT_FALSE(Form->ToolButtonPlay->isEnabled());
    EXPECT_FALSE(Form->ToolButtonFwd->isEnabled());
    EXPECT_FALSE(Form->ToolButtonPause->isEnabled());
    EXPECT_FALSE(Form->ToolButtonQuit->isEnabled());
    EXPECT_FALSE(Form->TrackBarProgress->isEnabled());

    EXPECT_FALSE(Form->TimerPlay->isActive());
    EXPECT_EQ(Form->TimerPlay->interval(), 500);

    EXPECT_EQ(Form->TrackBarProgress->minimum(), 0);
    EXPECT_EQ(Form->TrackBarProgress->maximum(), 30);
    EXPECT_EQ(Form->TrackBarProgress->value(), 0);
    EXPECT_EQ(Form->TrackBarProgress->tickPosition(), QSlider::TicksBelow);
    EXPECT_EQ(Form->TrackBarProgress->tickInterval(), 10);
    EXPECT_EQ(Form->TrackBarProgress->singleStep(), 1);
    EXPECT_EQ(Form->TrackBarProgress->pageStep(), 2);

    EXPECT_EQ(Form->ListViewBattle->RowCount(), 0);
    EXPECT_TRUE(Form->RichEditDigest->toPlainText().isEmpty());
    EXPECT_TRUE(Form->RichEditDigest->isReadOnly());
    EXPECT_EQ(Form->ImageBr->Grid(), nullptr);
    EXPECT_TRUE(Form->StatusBar1->currentMessage().isEmpty());
    EXPECT_EQ(Form->windowTitle(), QStringLiteral("OstrelScirpt ビューアー Ver.1.0.0.2"));
    EXPECT_EQ(Form->windowIcon().actualSize(QSize(32, 32)), QSize(32, 32));
    EXPECT_EQ(Form->LabelTitle->text(), QStringLiteral("OstrelScript Viewer"));
    EXPECT_EQ(Form->Version->text(), QStringLiteral("Version 1.0.0.2"));
}

TEST_F(FormViewTest, HasTheDesignClientSizeAndPaneSizes)
{
    EXPECT_EQ(Form->size(), DesignClient);
    EXPECT_EQ(Form->PanelTop->height(), 25);
    EXPECT_EQ(Form->MapHeight(), 216);
    EXPECT_EQ(Form->PanelMap->height(), 216);
    EXPECT_EQ(Form->ListWidth(), 250);
    EXPECT_EQ(Form->ScrollBoxBr->width(), 472 - 250 - 5);
    EXPECT_EQ(Form->RichEditDigest->height(), 438 - 216 - FixedRowsHeight);
    EXPECT_EQ(Form->RichEditDigest->width(), 472);
    EXPECT_EQ(Form->ToolBarLog->height(), 36);
    EXPECT_EQ(Form->StatusBar1->height(), 20);
    EXPECT_EQ(Form->StatusBar1->geometry().bottom(), 438 - 1);
}

// What stays and what moves when the window changes size.
struct PaneGeometry
{
    int titleHeight, mapHeight, listWidth, scrollBoxWidth, digestHeight, digestTop, toolBarHeight, statusHeight;
    QPoint labelTitle, version;

    static PaneGeometry Of(const TFormView &form)
    {
        return {form.PanelTop->height(),
                form.PanelMap->height(),
                form.ListViewBattle->width(),
                form.ScrollBoxBr->width(),
                form.RichEditDigest->height(),
                form.RichEditDigest->mapTo(&form, QPoint(0, 0)).y(),
                form.ToolBarLog->height(),
                form.StatusBar1->height(),
                form.LabelTitle->pos(),
                form.Version->pos()};
    }
};

TEST_F(FormViewTest, WiderWindowWidensOnlyTheScrollBox)
{
    const PaneGeometry before = PaneGeometry::Of(*Form);
    ResizeClient(DesignClient + QSize(150, 0));
    const PaneGeometry after = PaneGeometry::Of(*Form);

    EXPECT_EQ(after.scrollBoxWidth, before.scrollBoxWidth + 150);
    EXPECT_EQ(after.listWidth, before.listWidth);
    EXPECT_EQ(after.mapHeight, before.mapHeight);
    EXPECT_EQ(after.digestHeight, before.digestHeight);
    EXPECT_EQ(after.labelTitle, before.labelTitle);
    EXPECT_EQ(after.version, before.version);
    EXPECT_EQ(Form->PanelTop->width(), 472 + 150);
    EXPECT_EQ(Form->ToolBarLog->width(), 472 + 150);
    EXPECT_EQ(Form->RichEditDigest->width(), 472 + 150);
}

TEST_F(FormViewTest, TallerWindowHeightensOnlyTheDigest)
{
    const PaneGeometry before = PaneGeometry::Of(*Form);
    ResizeClient(DesignClient + QSize(0, 170));
    const PaneGeometry after = PaneGeometry::Of(*Form);

    EXPECT_EQ(after.digestHeight, before.digestHeight + 170);
    EXPECT_EQ(after.digestTop, before.digestTop);
    EXPECT_EQ(after.titleHeight, before.titleHeight);
    EXPECT_EQ(after.mapHeight, before.mapHeight);
    EXPECT_EQ(after.scrollBoxWidth, before.scrollBoxWidth);
    EXPECT_EQ(after.toolBarHeight, before.toolBarHeight);
    EXPECT_EQ(after.statusHeight, before.statusHeight);
    EXPECT_EQ(Form->StatusBar1->geometry().bottom(), 438 + 170 - 1);

    ResizeClient(DesignClient);
    EXPECT_EQ(Form->PanelMap->height(), before.mapHeight);
    EXPECT_EQ(Form->RichEditDigest->height(), before.digestHeight);
}

TEST_F(FormViewTest, CannotBeMadeSmallerThanItsMinimumAndTheToolBarStillFits)
{
    ResizeClient(QSize(200, 200));
    EXPECT_EQ(Form->size(), MinimumClient);
    EXPECT_GE(Form->ToolBarLog->width(), 446);
    EXPECT_EQ(Form->TrackBarProgress->geometry().right(), 446 - 1);
    EXPECT_EQ(Form->TrackBarProgress->y(), 0);
}

TEST_F(FormViewTest, ToolBarItemsSitInOneRowAtTheirLefts)
{
    const std::pair<QWidget *, QRect> expected[] = {
        {Form->ToolButtonOpen, {0, 0, 37, 36}},   {Form->ToolButtonSp2, {37, 0, 8, 36}},
        {Form->ToolButtonPlay, {45, 0, 37, 36}},  {Form->ToolButtonFwd, {82, 0, 37, 36}},
        {Form->ToolButtonPause, {119, 0, 37, 36}}, {Form->ToolButtonSp1, {156, 0, 8, 36}},
        {Form->ToolButtonQuit, {164, 0, 37, 36}}, {Form->ToolButtonEnd, {201, 0, 37, 36}},
        {Form->ToolButtonSp3, {238, 0, 8, 36}},   {Form->TrackBarProgress, {246, 0, 200, 36}},
    };
    for (QSize client : {DesignClient, MinimumClient, DesignClient + QSize(300, 100)}) {
        ResizeClient(client);
        for (const auto &[item, geometry] : expected) {
            EXPECT_EQ(item->parentWidget(), Form->ToolBarLog);
            EXPECT_EQ(item->geometry(), geometry) << "at client width " << client.width();
        }
    }
}

TEST_F(FormViewTest, ToolButtonsShowTheirImagesOnly)
{
    ASSERT_EQ(Form->ImageListLog.size(), 9);
    for (const QIcon &image : Form->ImageListLog) {
        EXPECT_FALSE(image.isNull());
        EXPECT_EQ(image.actualSize(QSize(30, 30)), QSize(30, 30));
    }
    const std::pair<ToolBarButton *, int> images[] = {
        {Form->ToolButtonOpen, 8}, {Form->ToolButtonPlay, 0}, {Form->ToolButtonFwd, 1},
        {Form->ToolButtonPause, 7}, {Form->ToolButtonQuit, 2}, {Form->ToolButtonEnd, 5},
    };
    for (const auto &[button, image] : images) {
        EXPECT_EQ(button->icon().cacheKey(), Form->ImageListLog[image].cacheKey()) << image;
        EXPECT_EQ(button->iconSize(), QSize(30, 30));
        EXPECT_EQ(button->toolButtonStyle(), Qt::ToolButtonIconOnly);
        EXPECT_TRUE(button->autoRaise());
    }
    EXPECT_EQ(Form->ToolButtonPlay->text(), QStringLiteral("進む"));

    // A disabled button shows a greyed image, made from the same picture.
    const QImage normal = Form->ImageListLog[0].pixmap(QSize(30, 30)).toImage();
    const QImage greyed = Form->ImageListLog[0].pixmap(QSize(30, 30), QIcon::Disabled).toImage();
    EXPECT_NE(normal, greyed);
    const QImage disabledPlay = Form->ToolButtonPlay->grab().toImage();
    Form->ToolButtonPlay->setEnabled(true);
    EXPECT_NE(Form->ToolButtonPlay->grab().toImage(), disabledPlay);
}

QString TooltipShownOver(QWidget *widget)
{
    QToolTip::hideText();
    if (!QTest::qWaitFor([] { return !QToolTip::isVisible(); }))
        return QStringLiteral("(an earlier tooltip stays up)");
    const QPoint centre = widget->rect().center();
    QHelpEvent help(QEvent::ToolTip, centre, widget->mapToGlobal(centre));
    QApplication::sendEvent(widget, &help);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
}

TEST_F(FormViewTest, OnlyTheButtonsAfterOpenShowTooltips)
{
    EXPECT_EQ(TooltipShownOver(Form->ToolButtonOpen), QString());
    EXPECT_EQ(Form->ToolButtonOpen->Hint(), QStringLiteral("ostrelScript ファイルをオープンする。"));

    const std::pair<ToolBarButton *, const char *> hints[] = {
        {Form->ToolButtonPlay, "試合を再生します（低速）"},
        {Form->ToolButtonFwd, "試合を再生します（高速）"},
        {Form->ToolButtonPause, "試合の再生をポーズします"},
        {Form->ToolButtonQuit, "試合再生を初期状態に戻します"},
        {Form->ToolButtonEnd, "ビューアーを終了します"},
    };
    for (const auto &[button, hint] : hints) {
        EXPECT_EQ(TooltipShownOver(button), QString::fromUtf8(hint));
        EXPECT_EQ(button->Hint(), QString::fromUtf8(hint));
    }

    for (QWidget *quiet : std::initializer_list<QWidget *>{Form->ImageBr, Form->RichEditDigest,
                                                           Form->ListViewBattle->viewport(), Form->ToolBarLog,
                                                           Form->TrackBarProgress, Form->LabelTitle})
        EXPECT_EQ(TooltipShownOver(quiet), QString());
}

TEST_F(FormViewTest, TitleStripFillsItsBevelsAndKeepsItsLabelsInPlace)
{
    EXPECT_EQ(Form->PanelTop->frameWidth(), 2);
    EXPECT_EQ(Form->ImageBar->geometry(), QRect(2, 2, 468, 21));
    EXPECT_TRUE(Form->ImageBar->hasScaledContents());
    EXPECT_FALSE(Form->ImageBar->pixmap().isNull());
    EXPECT_EQ(Form->LabelTitle->pos(), QPoint(16, 2));
    EXPECT_EQ(Form->Version->pos(), QPoint(328, 3));

    ResizeClient(DesignClient + QSize(200, 50));
    EXPECT_EQ(Form->ImageBar->geometry(), QRect(2, 2, 668, 21));
    EXPECT_EQ(Form->LabelTitle->pos(), QPoint(16, 2));
    EXPECT_EQ(Form->Version->pos(), QPoint(328, 3));

    // The labels are drawn over the bitmap, with no background of their own.
    EXPECT_FALSE(Form->LabelTitle->autoFillBackground());
    EXPECT_FALSE(Form->Version->autoFillBackground());
    EXPECT_EQ(Form->LabelTitle->palette().color(QPalette::WindowText), QColor(0, 0, 128));
    EXPECT_EQ(Form->Version->palette().color(QPalette::WindowText), QColor(0, 0, 128));
}

bool ResolvesToSubstitute(const QFont &font, const char *face)
{
    const QString resolved = QFontInfo(font).family();
    const QStringList substitutes = QFont::substitutes(QString::fromUtf8(face));
    return std::any_of(substitutes.cbegin(), substitutes.cend(), [&resolved](const QString &substitute) {
        return substitute.compare(resolved, Qt::CaseInsensitive) == 0;
    });
}

// Digits, capitals and blanks all one width: the list's and the digest's
// number fields line up.
bool IsFixedPitch(const QFont &font)
{
    const QFontMetrics metrics(font);
    const int width = metrics.horizontalAdvance(QLatin1Char('0'));
    return metrics.horizontalAdvance(QLatin1Char('W')) == width && metrics.horizontalAdvance(QLatin1Char(' ')) == width
        && metrics.horizontalAdvance(QLatin1Char('i')) == width;
}

TEST_F(FormViewTest, FacesResolveToInstalledSubstitutes)
{
    EXPECT_TRUE(ResolvesToSubstitute(Form->font(), ProportionalGothicFace))
        << QFontInfo(Form->font()).family().toStdString();
    EXPECT_FALSE(IsFixedPitch(Form->font()));
    EXPECT_EQ(QFontInfo(Form->font()).pixelSize(), 12);
    EXPECT_EQ(Form->ToolBarLog->font(), Form->font());

    for (QWidget *fixed : std::initializer_list<QWidget *>{Form->RichEditDigest, Form->ListViewBattle}) {
        const QFontInfo info(fixed->font());
        EXPECT_TRUE(ResolvesToSubstitute(fixed->font(), FixedGothicFace)) << info.family().toStdString();
        EXPECT_TRUE(IsFixedPitch(fixed->font()));
        EXPECT_EQ(info.pixelSize(), 12);
    }

    const std::pair<QLabel *, int> labels[] = {{Form->LabelTitle, 19}, {Form->Version, 16}};
    for (const auto &[label, pixels] : labels) {
        const QFontInfo info(label->font());
        EXPECT_TRUE(ResolvesToSubstitute(label->font(), TitleSerifFace)) << info.family().toStdString();
        EXPECT_TRUE(info.bold());
        EXPECT_EQ(info.pixelSize(), pixels);
    }
}

TEST_F(FormViewTest, PaneSizesCanBeSetAndStayWithinTheirMinimums)
{
    Form->SetMapHeight(150);
    Form->SetListWidth(180);
    Settle();
    EXPECT_EQ(Form->MapHeight(), 150);
    EXPECT_EQ(Form->PanelMap->height(), 150);
    EXPECT_EQ(Form->ListWidth(), 180);
    EXPECT_EQ(Form->ListViewBattle->width(), 180);
    EXPECT_EQ(Form->RichEditDigest->height(), 438 - 150 - FixedRowsHeight);

    Form->SetMapHeight(-5);
    Form->SetListWidth(3);
    Settle();
    EXPECT_EQ(Form->MapHeight(), 60);
    EXPECT_EQ(Form->ListWidth(), 100);

    // Too large a map leaves the digest its resting minimum of 50.
    Form->SetMapHeight(5000);
    Form->SetListWidth(5000);
    Settle();
    EXPECT_EQ(Form->RichEditDigest->height(), 50);
    EXPECT_EQ(Form->MapHeight(), 438 - FixedRowsHeight - 50);
    EXPECT_GT(Form->ScrollBoxBr->width(), 0);
    EXPECT_EQ(Form->ListWidth() + 5 + Form->ScrollBoxBr->width(), 472);
}

class SplitterLimitTest : public FormViewTest, public ::testing::WithParamInterface<QSize>
{
};

TEST_P(SplitterLimitTest, MapPaneStopsAtSixtyAndLeavesTheDigestSixty)
{
    ResizeClient(GetParam());
    const int height = Form->height();
    QSplitterHandle *handle = Form->SplitterHoriz->handle(1);

    DragSplitterHandle(handle, QPoint(0, -2000));
    EXPECT_EQ(Form->MapHeight(), 60);

    DragSplitterHandle(Form->SplitterHoriz->handle(1), QPoint(0, 2000));
    EXPECT_EQ(Form->MapHeight(), height - 60 - FixedRowsHeight);
    EXPECT_EQ(Form->RichEditDigest->height(), 60);

    DragSplitterHandle(Form->SplitterHoriz->handle(1), QPoint(0, -30));
    EXPECT_EQ(Form->MapHeight(), height - 60 - FixedRowsHeight - 30);
}

TEST_P(SplitterLimitTest, ListStopsAtOneHundredAndLeavesTheScrollBoxOneHundred)
{
    ResizeClient(GetParam());
    const int width = Form->PanelMap->width();

    DragSplitterHandle(Form->SplitterVert->handle(1), QPoint(2000, 0));
    EXPECT_EQ(Form->ListWidth(), 100);

    DragSplitterHandle(Form->SplitterVert->handle(1), QPoint(-2000, 0));
    EXPECT_EQ(Form->ListWidth(), width - 100 - 5);
    EXPECT_EQ(Form->ScrollBoxBr->width(), 100);

    DragSplitterHandle(Form->SplitterVert->handle(1), QPoint(40, 0));
    EXPECT_EQ(Form->ListWidth(), width - 100 - 5 - 40);
}

INSTANTIATE_TEST_SUITE_P(ClientSizes, SplitterLimitTest,
                         ::testing::Values(QSize(472, 438), QSize(451, 438), QSize(700, 620)),
                         [](const ::testing::TestParamInfo<QSize> &info) {
                             return ::testing::PrintToString(info.param);
                         });

TEST_F(FormViewTest, SplitterDragResizesOnRelease)
{
    PressAndMoveSplitterHandle(Form->SplitterHoriz->handle(1), QPoint(0, -50));
    EXPECT_EQ(Form->MapHeight(), 216);
    ReleaseSplitterHandle(Form->SplitterHoriz->handle(1), QPoint(0, -50));
    EXPECT_EQ(Form->MapHeight(), 166);

    PressAndMoveSplitterHandle(Form->SplitterVert->handle(1), QPoint(30, 0));
    EXPECT_EQ(Form->ListWidth(), 250);
    ReleaseSplitterHandle(Form->SplitterVert->handle(1), QPoint(30, 0));
    EXPECT_EQ(Form->ListWidth(), 220);
}

TEST_F(FormViewTest, MapScrollBoxShowsNoScrollBarsUntilThereIsAMapAndTakesABackgroundColour)
{
    EXPECT_FALSE(Form->ScrollBoxBr->horizontalScrollBar()->isVisible());
    EXPECT_FALSE(Form->ScrollBoxBr->verticalScrollBar()->isVisible());
    EXPECT_EQ(Form->ScrollBoxBr->frameWidth(), 2);

    const QColor darkBlue(0, 0, 160);
    QPalette palette = Form->ScrollBoxBr->palette();
    palette.setColor(QPalette::Window, darkBlue);
    Form->ScrollBoxBr->setPalette(palette);
    QWidget *viewport = Form->ScrollBoxBr->viewport();
    EXPECT_EQ(PixelAt(viewport, QPoint(viewport->width() - 3, viewport->height() - 3)), darkBlue);
    EXPECT_EQ(PixelAt(viewport, QPoint(3, 3)), darkBlue);
}

TEST_F(FormViewTest, OpenDialogAsksForOneExistingScript)
{
    QFileDialog *dialog = Form->OpenDialogScript;
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("再生したい ostrelScript ファイルを選んでください"));
    EXPECT_EQ(dialog->nameFilters(), (QStringList{QStringLiteral("Torvex のバトルロイヤルスクリプト (*.ostrelScript)"),
                                                  QStringLiteral("全てのファイル (*.*)")}));
    EXPECT_EQ(dialog->selectedNameFilter(), dialog->nameFilters().constFirst());
    EXPECT_EQ(dialog->fileMode(), QFileDialog::ExistingFile);
    EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptOpen);
    EXPECT_FALSE(dialog->testOption(QFileDialog::ReadOnly));
    EXPECT_TRUE(dialog->isSizeGripEnabled());
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->parentWidget(), Form.get());
}

TEST(FormViewFocus, TabMovesBetweenDigestAndSliderOnly)
{
    TFormView form;
    ASSERT_TRUE(ShowActiveAndWait(&form));
    form.TrackBarProgress->setEnabled(true);

    form.RichEditDigest->setFocus();
    Settle();
    ASSERT_EQ(QApplication::focusWidget(), form.RichEditDigest);

    QList<QWidget *> visited;
    for (int press = 0; press < 4; ++press) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        Settle();
        visited << QApplication::focusWidget();
    }
    EXPECT_EQ(visited, (QList<QWidget *>{form.TrackBarProgress, form.RichEditDigest, form.TrackBarProgress,
                                         form.RichEditDigest}));

    // Clicking still focuses the list: it is only left out of the tab order.
    QTest::mouseClick(form.ListViewBattle->viewport(), Qt::LeftButton);
    Settle();
    EXPECT_EQ(QApplication::focusWidget(), form.ListViewBattle);
}

} // namespace
