// Finding entrants, following one on the map (marker, trail and camera), and
// the map showing the fight it lands on.

#include "entrantfindmodel.h"
#include "findbar.h"
#include "followoverlay.h"
#include "formtestkit.h"
#include "mapcamera.h"
#include "mapimage.h"
#include "reportlistview.h"
#include "scripttext.h"
#include "sessiontestkit.h"
#include "stringtable.h"
#include "uitext.h"
#include "vieweractions.h"
#include "windowtestsupport.h"

#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTreeView>

#include <gtest/gtest.h>

#include <memory>

using namespace ostrel;

namespace {

// A 200 x 200 arena (a map of 5020 pixels a side) with two fights far from
// each other and from the top-left corner:
//   1 move:  entrant 0 one row down, to (150, 151)
//   2 fight: battle 1, 0 against 1; 1 goes out
//   3 fight: battle 2, 2 against 3
//   4 to 13: moves, entrant 0 one column right each
std::string FarFights()
{
    ScriptBuilder script(200, 200);
    script.Entrant("龍", 150, 150, "Ryuu", "Kato")
        .Entrant("AB", 151, 150, "カタナ")
        .Entrant("CD", 180, 20)
        .Entrant("EF", 181, 20, "No#0")
        .Entrant("GH", 5, 5, "ｶﾀﾅ")
        .Turn().Move(0, 0, 1)
        .Turn().Fight(1).Player(0, 0, 70).Player(1, 1, 0).Result(0, 8)
        .Turn().Fight(2).Player(0, 2, 60).Player(1, 3, 50);
    for (int i = 0; i < 10; ++i)
        script.Turn().Move(0, 1, 0);
    return script.Text();
}
constexpr int FarFightSteps = 13;

struct FindCase {
    const char *text;
    std::vector<int> found;
};

TEST(EntrantFindModel, FindsByTextAndByNumberFirst)
{
    const auto session = OpenSession(FarFights());
    EntrantFindModel model(*session);
    for (const FindCase &c : {FindCase{"#3", {3}}, {"#0", {0, 3}}, {" #4 ", {4}}, {"ｶﾀ", {1, 4}}, {"カタ", {1, 4}},
                              {"KATO", {0}}, {"#99", {}}, {"#", {3}}, {"", {}}, {"#-1", {}}}) {
        model.Find(QString::fromUtf8(c.text));
        EXPECT_EQ(model.Entrants(), c.found) << c.text;
        EXPECT_EQ(model.rowCount(), int(c.found.size()));
    }
}

TEST(EntrantFindModel, RowsShowTheEntrantAndWhetherItIsInPlayWhereTheReplayStands)
{
    const auto session = OpenSession(FarFights());
    EntrantFindModel model(*session);
    model.Find(QStringLiteral("#1"));
    const auto cell = [&](int column) { return model.index(0, column).data().toString(); };
    EXPECT_EQ(cell(EntrantFindModel::IndexColumn), QStringLiteral("#1"));
    EXPECT_EQ(cell(EntrantFindModel::EmblemColumn), QStringLiteral("AB"));
    EXPECT_EQ(cell(EntrantFindModel::NameColumn), QStringLiteral("カタナ"));
    EXPECT_EQ(cell(EntrantFindModel::InPlayColumn), UiText(IdsFindInPlay));

    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    session->SetSliderPosition(2);
    model.RefreshInPlay();
    EXPECT_EQ(cell(EntrantFindModel::InPlayColumn), UiText(IdsFindOut));
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed[0][0].toModelIndex().column(), int(EntrantFindModel::InPlayColumn));
}

TEST(FollowOverlay, TheTrailReachesBackEightPositionsOrToTheStart)
{
    const auto session = OpenSession(FarFights());
    session->Follow(0);
    struct TrailCase {
        int position;
        bool whole;
        std::vector<QPoint> trail;
    };
    const auto row = [](int from, int to, int y) {
        std::vector<QPoint> cells;
        for (int x = from; x <= to; ++x)
            cells.emplace_back(x, y);
        return cells;
    };
    std::vector<QPoint> whole{{150, 150}};
    for (QPoint cell : row(150, 160, 151))
        whole.push_back(cell);
    for (const TrailCase &c : {TrailCase{0, false, {{150, 150}}},
                               {1, false, {{150, 150}, {150, 151}}},
                               // Steps 4 to 13 take it from column 151 to 160.
                               {13, false, row(152, 160, 151)},
                               {FarFightSteps + 1, false, row(153, 160, 151)},
                               {FarFightSteps + 1, true, whole}}) {
        const FollowOverlay overlay = FollowOverlayAt(session->FollowedHistory(), c.position, c.whole);
        EXPECT_EQ(overlay.Trail, c.trail) << "position " << c.position << (c.whole ? " whole" : "");
    }
    session->Follow(1);
    EXPECT_FALSE(FollowOverlayAt(session->FollowedHistory(), FarFightSteps, false).InPlay);
    session->StopFollowing();
    EXPECT_TRUE(FollowOverlayAt(session->FollowedHistory(), 3, false).IsEmpty());
}

class FollowWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ForgetSettings();
        Form = std::make_unique<ScriptedFormView>();
        ASSERT_TRUE(ShowActiveAndWait(Form.get()));
        ASSERT_TRUE(Form->OpenScript(Files.Write("far.ostrelScript", FarFights())));
        Settle();
    }

    QScrollBar *Horizontal() const { return Form->ScrollBoxBr->horizontalScrollBar(); }
    QScrollBar *Vertical() const { return Form->ScrollBoxBr->verticalScrollBar(); }
    QRect Shown() const
    {
        return {Horizontal()->value(), Vertical()->value(), Form->ScrollBoxBr->viewport()->width(),
                Form->ScrollBoxBr->viewport()->height()};
    }
    static QRect Cell(int column, int row) { return {10 + 25 * column, 10 + 25 * row, 25, 25}; }
    bool Shows(int entrant) const
    {
        const Entrant *shown = Form->Session.Model().EntrantAt(entrant);
        return Shown().contains(Cell(shown->X, shown->Y));
    }
    void Type(QWidget *widget, Qt::Key key, const QString &text = {})
    {
        QTest::keyClick(widget, key);
        if (!text.isEmpty())
            QTest::keyClicks(widget, text);
        Settle();
    }

    ScriptFolder Files;
    std::unique_ptr<ScriptedFormView> Form;
};

TEST_F(FollowWindowTest, FindTypeAndEnterFollowsTheEntrantAndScrollsTheMapToIt)
{
    ASSERT_FALSE(Shows(0));
    QTest::keyClick(Form->ListViewBattle, Qt::Key_F, Qt::ControlModifier);
    Settle();
    FindBar *bar = Form->FindBarMap;
    ASSERT_TRUE(bar->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), bar->Query);
    QSignalSpy fast(Form->Actions->Fast, &QAction::triggered);
    QTest::keyClicks(bar->Query, QStringLiteral("ryu"));
    Settle();
    EXPECT_EQ(fast.count(), 0) << "typing stays in the find bar";
    EXPECT_EQ(bar->Found->Entrants(), std::vector<int>{0});
    Type(bar->Query, Qt::Key_Return);

    EXPECT_FALSE(bar->isVisible());
    EXPECT_EQ(Form->Session.Followed(), 0);
    EXPECT_TRUE(Shows(0));
    EXPECT_FALSE(Form->ImageBr->ShownFollowOverlay().IsEmpty());

    // The camera keeps the entrant in view as it walks off to the right.
    Form->Session.SetSliderPosition(FarFightSteps + 1);
    Settle();
    EXPECT_TRUE(Shows(0));
    EXPECT_TRUE(Form->Camera->FollowsEntrant());
}

TEST_F(FollowWindowTest, AScrollByHandLetsTheEntrantGoUntilRecentred)
{
    Form->FollowEntrant(0);
    Settle();
    ASSERT_TRUE(Shows(0));
    Horizontal()->triggerAction(QAbstractSlider::SliderToMinimum);
    Form->Session.SetSliderPosition(FarFightSteps + 1);
    Settle();
    EXPECT_FALSE(Shows(0));
    EXPECT_FALSE(Form->Camera->FollowsEntrant());
    EXPECT_EQ(Form->Session.Followed(), 0) << "the marker stays";

    QTest::keyClick(Form->ListViewBattle, Qt::Key_L, Qt::ControlModifier);
    Settle();
    EXPECT_TRUE(Shows(0));
}

TEST_F(FollowWindowTest, EscClosesTheFindBarFirstThenStopsFollowing)
{
    Form->FollowEntrant(4);
    QTest::keyClick(Form->ListViewBattle, Qt::Key_F, Qt::ControlModifier);
    Settle();
    ASSERT_TRUE(Form->FindBarMap->isVisible());
    Type(Form->FindBarMap->Query, Qt::Key_Escape);
    EXPECT_FALSE(Form->FindBarMap->isVisible());
    EXPECT_EQ(Form->Session.Followed(), 4);

    Type(Form->ListViewBattle, Qt::Key_Escape);
    EXPECT_EQ(Form->Session.Followed(), -1);
    EXPECT_TRUE(Form->ImageBr->ShownFollowOverlay().IsEmpty());
}

TEST_F(FollowWindowTest, LandingOnAFightShowsBothPlayersUnlessTheMapWasJustScrolledByHand)
{
    const auto showsFight = [this] {
        const StepEngine &engine = Form->Session.Engine();
        return engine.HighlightActive() && Shows(engine.HighlightPlayer1()) && Shows(engine.HighlightPlayer2());
    };
    for (int fight : {2, 3}) {
        Form->Session.SetSliderPosition(fight);
        Settle();
        EXPECT_TRUE(showsFight()) << "position " << fight;
    }
    const QRect before = Shown();
    Form->Session.SetSliderPosition(FarFightSteps);
    Settle();
    EXPECT_EQ(Shown(), before) << "a move step leaves the map alone";

    Vertical()->triggerAction(QAbstractSlider::SliderToMinimum);
    Horizontal()->triggerAction(QAbstractSlider::SliderToMinimum);
    Form->Session.SetSliderPosition(2);
    Settle();
    EXPECT_EQ(Shown().topLeft(), QPoint(0, 0)) << "a scroll by hand holds the map for a while";
}

TEST_F(FollowWindowTest, TheOverlayIsDrawnOnTheViewButNeverIntoTheMapPicture)
{
    const QImage spec = Form->Session.MapPicture();
    Form->FollowEntrant(0);
    Form->Session.SetSliderPosition(FarFightSteps);
    Settle();
    EXPECT_EQ(Form->Session.MapPicture().size(), spec.size());
    Form->Session.StopFollowing();
    const QImage unfollowed = Form->Session.MapPicture();
    Form->FollowEntrant(0);
    Settle();
    EXPECT_EQ(Form->Session.MapPicture(), unfollowed);

    // On the view the marker covers the cell's edge; far from the trail the
    // view shows the map's own pixels.
    const Entrant &followed = *Form->Session.Model().EntrantAt(0);
    const QRect shown = Shown();
    const QImage view = Form->ImageBr->grab(shown).toImage().convertToFormat(QImage::Format_RGB32);
    const QImage map = unfollowed.copy(shown).convertToFormat(QImage::Format_RGB32);
    const QPoint edge = Cell(followed.X, followed.Y).topLeft() + QPoint(12, 0) - shown.topLeft();
    EXPECT_NE(view.pixel(edge), map.pixel(edge));
    const QRect far = QRect(QPoint(0, 0), QSize(40, 40));
    EXPECT_EQ(view.copy(far), map.copy(far));
}

} // namespace
