#include "scripttrickle.h"
#include "tournamentgenerator.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

using namespace ostrel;

namespace {

struct Outcome {
    int ExitCode = -1;
    QByteArray Out;
    QByteArray Err;
};

Outcome RunTool(const QStringList &arguments)
{
    QProcess tool;
    tool.start(QStringLiteral(OSTREL_GEN_TOOL), arguments);
    EXPECT_TRUE(tool.waitForFinished(60000)) << "ostrel-gen did not finish";
    EXPECT_EQ(tool.exitStatus(), QProcess::NormalExit);
    return {tool.exitCode(), tool.readAllStandardOutput(), tool.readAllStandardError()};
}

TEST(OstrelGen, WritesTheGeneratorsBytesToStandardOutput)
{
    const Outcome outcome = RunTool({"--seed", "5", "--entrants", "10", "--width", "6", "--height", "5",
                                     "--max-turns", "40"});
    TournamentOptions options;
    options.Seed = 5;
    options.Entrants = 10;
    options.Width = 6;
    options.Height = 5;
    options.MaxTurns = 40;
    EXPECT_EQ(outcome.ExitCode, 0);
    EXPECT_TRUE(outcome.Err.isEmpty());
    EXPECT_EQ(outcome.Out, TournamentGenerator::Generate(options));
}

TEST(OstrelGen, WritesToTheNamedFileWithCrLfAndDefaultsForTheRest)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("out.ostrelScript"));
    const Outcome outcome = RunTool({"--crlf", "-o", path});
    EXPECT_EQ(outcome.ExitCode, 0);
    EXPECT_TRUE(outcome.Out.isEmpty());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    TournamentOptions options;
    options.CrLf = true;
    EXPECT_EQ(file.readAll(), TournamentGenerator::Generate(options));
}

TEST(OstrelGen, HelpNamesEveryOptionAndSucceeds)
{
    const Outcome outcome = RunTool({"--help"});
    EXPECT_EQ(outcome.ExitCode, 0);
    for (const char *option : {"--seed", "--entrants", "--width", "--height", "--max-turns", "--crlf", "-o"})
        EXPECT_TRUE(outcome.Out.contains(option)) << option;
}

struct BadUse {
    const char *Name;
    QStringList Arguments;
};

TEST(OstrelGen, RefusesBadArgumentsWithExitCode64AndAMessage)
{
    const BadUse uses[] = {
        {"more entrants than cells", {"--entrants", "101", "--width", "10", "--height", "10"}},
        {"seed not a number", {"--seed", "abc"}},
        {"negative seed", {"--seed", "-1"}},
        {"entrants not a number", {"--entrants", "12x"}},
        {"entrants beyond int", {"--entrants", "99999999999"}},
        {"width zero", {"--width", "0"}},
        {"negative turns", {"--max-turns", "-5"}},
        {"unknown option", {"--colour"}},
        {"missing value", {"--height"}},
        {"stray argument", {"tournament.ostrelScript"}},
    };
    for (const BadUse &use : uses) {
        SCOPED_TRACE(use.Name);
        const Outcome outcome = RunTool(use.Arguments);
        EXPECT_EQ(outcome.ExitCode, 64);
        EXPECT_TRUE(outcome.Err.startsWith("ostrel-gen: ")) << outcome.Err.constData();
        EXPECT_TRUE(outcome.Out.isEmpty());
    }
}

TEST(OstrelGen, ReportsAFileItCannotWrite)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const Outcome outcome = RunTool({"-o", folder.filePath(QStringLiteral("missing/out.ostrelScript"))});
    EXPECT_EQ(outcome.ExitCode, 73);
    EXPECT_TRUE(outcome.Err.contains("cannot write")) << outcome.Err.constData();
}

} // namespace

namespace {

QByteArray SmallTournament()
{
    TournamentOptions options;
    options.Seed = 3;
    options.Entrants = 12;
    options.Width = 8;
    options.Height = 8;
    options.MaxTurns = 60;
    return TournamentGenerator::Generate(options);
}

} // namespace

TEST(OstrelGenTrickle, CutsRiseToTheWholeFileAndMostFallInsideALine)
{
    const QByteArray bytes = SmallTournament();
    for (const double linesPerTick : {1.0, 3.5, 40.0}) {
        SCOPED_TRACE(linesPerTick);
        const std::vector<qsizetype> cuts = TrickleCuts(bytes, linesPerTick, 7);
        ASSERT_FALSE(cuts.empty());
        EXPECT_EQ(cuts.back(), bytes.size());
        EXPECT_TRUE(std::is_sorted(cuts.begin(), cuts.end(), std::less_equal<>()));
        const auto insideALine = std::count_if(cuts.begin(), cuts.end() - 1,
                                               [&](qsizetype cut) { return bytes[cut - 1] != '\n'; });
        EXPECT_GT(insideALine * 2, qsizetype(cuts.size()));
        // About a tick's worth of lines per chunk.
        const double lines = double(bytes.count('\n'));
        EXPECT_NEAR(double(cuts.size()), lines / linesPerTick, lines / linesPerTick * 0.2 + 2);
    }
}

TEST(OstrelGenTrickle, TheToolPlaysTheSourceIntoTheTarget)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString src = folder.filePath(QStringLiteral("src.ostrelScript"));
    const QString dst = folder.filePath(QStringLiteral("dst.ostrelScript"));
    QFile file(src);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(SmallTournament());
    file.close();
    const Outcome played = RunTool({"--trickle", src, dst, "--lines-per-second", "20000"});
    EXPECT_EQ(played.ExitCode, 0) << played.Err.constData();
    QFile out(dst);
    ASSERT_TRUE(out.open(QIODevice::ReadOnly));
    EXPECT_EQ(out.readAll(), SmallTournament());
    EXPECT_EQ(RunTool({"--trickle", src}).ExitCode, 64);
    EXPECT_EQ(RunTool({"--trickle", src, dst, "--lines-per-second", "0"}).ExitCode, 64);
}
