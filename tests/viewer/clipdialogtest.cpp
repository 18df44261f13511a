// The Export clip dialog: the clip its choices make, and what it refuses
// before anything starts.

#include "clipdialog.h"
#include "scripttext.h"
#include "sessiontestkit.h"
#include "stringtable.h"
#include "uitext.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include <gtest/gtest.h>

using namespace ostrel;

namespace {

class ClipDialogTest : public testing::Test {
protected:
    std::unique_ptr<ReplaySession> session = OpenSession(TwoBattles());
    ClipDialogSetup setup{7, 1, 5, 0.5, QRect(20, 10, 40, 30), true};
    ClipDialog dialog{session->Model(), session->Grid().MapSize(), setup};

    bool Accepts() const { return dialog.Buttons->button(QDialogButtonBox::Ok)->isEnabled(); }
};

TEST_F(ClipDialogTest, ProposesTheWindowsRangeAndZoom)
{
    const ClipRequest request = dialog.Request();
    EXPECT_EQ(request.First, 1);
    EXPECT_EQ(request.Last, 5);
    EXPECT_EQ(request.MsPerPosition, 100);
    EXPECT_DOUBLE_EQ(request.Scale, 0.5);
    EXPECT_TRUE(request.Area.isNull());
    EXPECT_EQ(request.Format, ClipFormat::WebP);
    EXPECT_TRUE(dialog.IncludeOverlay());
    EXPECT_TRUE(Accepts());
    EXPECT_TRUE(dialog.Estimate->text().startsWith(QStringLiteral("5 ")));
    EXPECT_TRUE(dialog.Warning->text().isEmpty());
}

TEST_F(ClipDialogTest, AWidthScalesThePartInView)
{
    dialog.Width->setValue(240);  // the 4 x 4 arena's map is 120 pixels wide
    dialog.InView->setChecked(true);
    dialog.Time->setCurrentIndex(2);
    const ClipRequest request = dialog.Request();
    EXPECT_DOUBLE_EQ(request.Scale, 2.0);
    EXPECT_EQ(request.Area, QRect(80, 40, 160, 120));
    EXPECT_EQ(request.MsPerPosition, ReplaySession::SlowPeriod);
}

TEST_F(ClipDialogTest, RefusesWhatTheFormatCannotHoldAndAnEmptyRange)
{
    dialog.Width->setValue(20000);
    EXPECT_FALSE(Accepts());
    EXPECT_EQ(dialog.Warning->text(), UiText(IdsClipTooLarge).arg(16383));
    dialog.Format->setCurrentIndex(1);  // GIF holds 65,535 a side
    EXPECT_TRUE(Accepts());
    EXPECT_TRUE(dialog.Warning->text().contains(UiText(IdsClipGifInexact)));

    dialog.First->setValue(6);
    EXPECT_FALSE(Accepts());
    EXPECT_EQ(dialog.Warning->text(), UiText(IdsClipNoRange));
}

} // namespace
