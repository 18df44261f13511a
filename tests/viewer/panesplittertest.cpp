// PaneSplitter on its own: drag-time minimums, resting minimums, no collapse.
#include "panesplitter.h"
#include "windowtestsupport.h"

#include <QSplitterHandle>
#include <QTest>

#include <gtest/gtest.h>

using namespace ostrel;

namespace {

class PaneSplitterTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Splitter.setHandleWidth(5);
        First->setMinimumHeight(10);
        Second->setMinimumHeight(20);
        Splitter.addWidget(First);
        Splitter.addWidget(Second);
        Splitter.SetDragMinimums(40, 70);
        Splitter.resize(100, 305);
        Splitter.setSizes({150, 150});
        ASSERT_TRUE(ShowAndWait(&Splitter));
    }

    int FirstHeight() const { return Splitter.sizes().value(0); }
    int SecondHeight() const { return Splitter.sizes().value(1); }

    PaneSplitter Splitter{Qt::Vertical, nullptr};
    QWidget *First = new QWidget;
    QWidget *Second = new QWidget;
};

TEST_F(PaneSplitterTest, DragStopsAtTheDragMinimumsNotAtZero)
{
    DragSplitterHandle(Splitter.handle(1), QPoint(0, -1000));
    EXPECT_EQ(FirstHeight(), 40);
    EXPECT_TRUE(First->isVisible());

    DragSplitterHandle(Splitter.handle(1), QPoint(0, 1000));
    EXPECT_EQ(SecondHeight(), 70);
    EXPECT_EQ(FirstHeight(), 300 - 70);
}

TEST_F(PaneSplitterTest, RestingMinimumsComeBackAfterTheDrag)
{
    PressAndMoveSplitterHandle(Splitter.handle(1), QPoint(0, 20));
    EXPECT_EQ(Second->minimumHeight(), 70);
    ReleaseSplitterHandle(Splitter.handle(1), QPoint(0, 20));
    EXPECT_EQ(First->minimumHeight(), 10);
    EXPECT_EQ(Second->minimumHeight(), 20);
    EXPECT_EQ(FirstHeight(), 170);

    // Outside a drag only the resting minimums hold.
    Splitter.setSizes({1000, 1});
    Settle();
    EXPECT_EQ(SecondHeight(), 20);
}

TEST_F(PaneSplitterTest, OtherButtonsDoNotStartADrag)
{
    QTest::mousePress(Splitter.handle(1), Qt::RightButton);
    Settle();
    EXPECT_EQ(Second->minimumHeight(), 20);
    QTest::mouseRelease(Splitter.handle(1), Qt::RightButton);
    EXPECT_EQ(FirstHeight(), 150);
}

} // namespace
