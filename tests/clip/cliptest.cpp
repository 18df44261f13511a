// Clips made on a copy of the replay: the frames are the pictures the map
// shows on the same path, the session never moves, and what a format cannot
// hold is refused before anything is written.

#include "cliptestkit.h"

#include "arenagrid.h"
#include "clipexport.h"
#include "clipframes.h"
#include "mappainter.h"
#include "replaycopy.h"
#include "scaledmap.h"
#include "scripttext.h"
#include "sessiontestkit.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace ostrel {
namespace {

// The frame a whole repaint of the copy's map gives at scale.
QImage WholeFrame(ReplayCopy &copy, double scale)
{
    if (scale == 1.0)
        return RenderMap(copy.Grid());
    QImage image(ScaledMapSize(copy.Grid().MapSize(), scale), QImage::Format_RGB32);
    PaintMapReduced(copy.Grid(), image, image.rect(), scale);
    return image;
}

class ClipScaleTest : public testing::TestWithParam<double> {};

// Repainting only the tiles a step changed gives the pixels of a whole
// repaint, at every position, on the way forward and back.
TEST_P(ClipScaleTest, FramesEqualAWholeRepaintAtEachPosition)
{
    const double scale = GetParam();
    const auto session = OpenSession(SpillingTournament());
    session->MoveSlider(4);
    const auto copy = ReplayCopy::Of(*session);
    ClipFrames frames(*copy, scale, QRect());
    const int max = session->SliderMax();
    std::vector<int> path;
    for (int p = 0; p <= max; ++p)
        path.push_back(p);
    for (int p = max - 1; p >= 2; --p)
        path.push_back(p);
    for (int p : path) {
        const QImage frame = frames.At(p);
        EXPECT_TRUE(frame == WholeFrame(*copy, scale)) << "position " << p;
    }
    EXPECT_EQ(session->CurrentPosition(), 4);
}

INSTANTIATE_TEST_SUITE_P(Scales, ClipScaleTest, testing::Values(1.0, 0.5, 0.37));

struct ClipCase {
    const char *Name;
    int Seek;      // where the replay stands
    int First, Last;
    ClipFormat Format;
};

class ClipExportTest : public testing::TestWithParam<ClipCase> {
protected:
    QTemporaryDir dir;
};

// Each position of the clip is the map the session shows when moved the
// same way, and the session itself stays where it was.
TEST_P(ClipExportTest, EachPositionIsTheMapOnTheSamePath)
{
    const ClipCase &c = GetParam();
    const auto session = OpenSession(SpillingTournament());
    const auto reference = OpenSession(SpillingTournament());
    session->MoveSlider(c.Seek);
    reference->MoveSlider(c.Seek);
    const std::vector<EntrantState> before = StatesOf(session->Model().Entrants);
    const QImage mapBefore = session->MapPicture();

    const QString path = dir.filePath(c.Format == ClipFormat::WebP ? "clip.webp" : "clip.gif");
    ClipRequest request{c.First, c.Last, 70, 1.0, QRect(), c.Format, {}};
    const auto copy = ReplayCopy::Of(*session);
    const ClipOutcome outcome = ExportClip(*copy, request, path);
    ASSERT_EQ(outcome.Result, ClipOutcome::Written);
    EXPECT_TRUE(outcome.Exact);

    const std::vector<QImage> positions =
        c.Format == ClipFormat::WebP ? DecodeWebPPositions(path, 70) : DecodeGifPositions(path, 70);
    ASSERT_EQ(int(positions.size()), c.Last - c.First + 1);
    for (int p = c.First; p <= c.Last; ++p) {
        reference->MoveSlider(p);
        EXPECT_TRUE(positions[std::size_t(p - c.First)] == reference->MapPicture()) << "position " << p;
    }
    EXPECT_EQ(session->CurrentPosition(), c.Seek);
    EXPECT_EQ(StatesOf(session->Model().Entrants), before);
    EXPECT_TRUE(session->MapPicture() == mapBefore);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QFileInfo(path).fileName()});
}

INSTANTIATE_TEST_SUITE_P(Paths, ClipExportTest, testing::Values(
    ClipCase{"ForwardWebP", 0, 0, 9, ClipFormat::WebP},
    ClipCase{"BackFromLaterWebP", 8, 2, 7, ClipFormat::WebP},
    ClipCase{"OnePositionWebP", 5, 5, 5, ClipFormat::WebP},
    ClipCase{"ForwardGif", 3, 1, 9, ClipFormat::Gif}),
    [](const auto &info) { return std::string(info.param.Name); });

// What the format cannot hold, and a cancel, leave no file at all.
TEST(ClipRefusal, TooLargeOrCancelledLeavesNoFile)
{
    QTemporaryDir dir;
    ScriptBuilder wide(700, 20);
    wide.Entrant("AB", 0, 0).Turn().Move(0, 1, 0);
    const auto session = OpenSession(wide.Text());
    const QString path = dir.filePath("wide.webp");
    ClipRequest request{0, 2, 100, 1.0, QRect(), ClipFormat::WebP, {}};
    EXPECT_EQ(ExportClip(*ReplayCopy::Of(*session), request, path).Result, ClipOutcome::TooLarge);
    EXPECT_FALSE(QFile::exists(path));

    const auto cancelAfterOne = [](int done, int) { return done < 1; };
    request.Scale = 0.5;
    EXPECT_EQ(ExportClip(*ReplayCopy::Of(*session), request, path, cancelAfterOne).Result, ClipOutcome::Cancelled);
    EXPECT_TRUE(QDir(dir.path()).isEmpty());

    EXPECT_EQ(ExportClip(*ReplayCopy::Of(*session), request, path).Result, ClipOutcome::Written);
    EXPECT_EQ(DecodeWebPPositions(path, 100).size(), 3u);
    EXPECT_EQ(DecodeWebPPositions(path, 100).front().width(), 8760);
}

} // namespace
} // namespace ostrel
