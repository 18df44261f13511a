// Every file of fuzz/regressions is an input that once broke the loader or
// the replay. Each must load or be refused, and a loaded one must replay to
// its end and back; the files that need more say what in their own tests.

#include "replaysession.h"

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

using namespace ostrel;

namespace {

namespace fs = std::filesystem;

const fs::path RegressionDir = OSTREL_FUZZ_REGRESSIONS;

std::vector<std::string> RegressionFiles()
{
    std::vector<std::string> names;
    for (const fs::directory_entry &entry : fs::directory_iterator(RegressionDir))
        names.push_back(entry.path().filename().string());
    return names;
}

QString PathOf(const std::string &name)
{
    return QString::fromStdString((RegressionDir / name).string());
}

std::vector<std::pair<int32_t, int32_t>> Places(const ReplayModel &model)
{
    std::vector<std::pair<int32_t, int32_t>> places;
    for (const Entrant &e : model.Entrants)
        places.emplace_back(e.X, e.Y);
    return places;
}

class RegressionFileTest : public ::testing::TestWithParam<std::string> {};

TEST_P(RegressionFileTest, LoadsOrIsRefusedAndReplaysToItsEndAndBack)
{
    ReplaySession viewer;
    const LoadResult result = viewer.OpenScript(PathOf(GetParam()));
    if (!result.Succeeded()) {
        EXPECT_EQ(result.Messages.size(), 1u);
        return;
    }
    const auto start = Places(viewer.Model());
    const int end = viewer.SliderMax();
    ASSERT_TRUE(viewer.MoveSlider(end));
    EXPECT_EQ(viewer.Engine().CurrentPosition(), end);
    EXPECT_TRUE(viewer.Digest().empty());
    ASSERT_TRUE(viewer.MoveSlider(0));
    EXPECT_EQ(viewer.Engine().CurrentPosition(), 0);
    EXPECT_EQ(Places(viewer.Model()), start);
}

INSTANTIATE_TEST_SUITE_P(FuzzRegressions, RegressionFileTest, ::testing::ValuesIn(RegressionFiles()),
                         [](const ::testing::TestParamInfo<std::string> &info) {
                             std::string name = fs::path(info.param).stem().string();
                             for (char &c : name) {
                                 if (!std::isalnum(static_cast<unsigned char>(c)))
                                     c = '_';
                             }
                             return name;
                         });

// 20000 entrants in play and 4000 turns of one move each. Every move step
// used to reserve room for one move per entrant in play: 80 KB a turn, 320 MB
// for a file of 110 KB (and a minute's load under the address sanitizer).
TEST(FuzzRegressionTest, MoveStepsReserveRoomInProportionToTheFile)
{
    const std::string name = "move-step-room.ostrelScript";
    ReplaySession viewer;
    ASSERT_TRUE(viewer.OpenScript(PathOf(name)).Succeeded());
    const ReplayModel &model = viewer.Model();
    ASSERT_EQ(model.Entrants.size(), 20000u);
    ASSERT_EQ(model.Steps.size(), 4000u);
    std::size_t reserved = 0;
    for (const ReplayStep &step : model.Steps) {
        ASSERT_TRUE(step.Move);
        EXPECT_EQ(step.Move->Deltas.size(), 1u);
        reserved += step.Move->Deltas.capacity() * sizeof(MoveDelta);
    }
    EXPECT_LE(reserved, 100 * fs::file_size(RegressionDir / name));
}

} // namespace
