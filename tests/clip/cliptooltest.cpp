// ostrel-inspect --clip run as a user runs it: its frames are the PNGs its
// own --render writes on the same path, its state is the one before it, and
// an empty range is a usage error.

#include "cliptestkit.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace ostrel {
namespace {

class ClipToolTest : public testing::Test {
protected:
    void SetUp() override
    {
        QFile file(dir.filePath("spill.ostrelScript"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray::fromStdString(SpillingTournament()));
    }
    // Runs the tool on the tournament; its exit code.
    int Run(const QStringList &arguments)
    {
        QProcess tool;
        tool.setWorkingDirectory(dir.path());
        tool.start(QStringLiteral(OSTREL_INSPECT_TOOL), arguments);
        EXPECT_TRUE(tool.waitForFinished(60000));
        states = QJsonDocument::fromJson(tool.readAllStandardOutput()).object().value("states").toArray();
        errors = tool.readAllStandardError();
        return tool.exitCode();
    }
    QTemporaryDir dir;
    QJsonArray states;
    QByteArray errors;
};

TEST_F(ClipToolTest, FramesAreTheRendersOnTheSamePathAndTheReplayStaysPut)
{
    const int first = 2, last = 8;
    QStringList arguments{"--json", "--clip-ms", "40", "spill.ostrelScript", "--seek", "7",
                          "--clip", QStringLiteral("%1:%2:c.webp").arg(first).arg(last)};
    for (int p = first; p <= last; ++p)
        arguments << "--seek" << QString::number(p) << "--render" << QStringLiteral("p%1.png").arg(p);
    ASSERT_EQ(Run(arguments), 0) << errors.toStdString();

    const std::vector<QImage> frames = DecodeWebPPositions(dir.filePath("c.webp"), 40);
    ASSERT_EQ(int(frames.size()), last - first + 1);
    for (int p = first; p <= last; ++p)
        EXPECT_TRUE(frames[std::size_t(p - first)] == QImage(dir.filePath(QStringLiteral("p%1.png").arg(p)))) << p;

    QJsonObject before = states[1].toObject();
    QJsonObject clip = states[2].toObject();
    EXPECT_EQ(clip.value("action"), "clip");
    EXPECT_EQ(clip.value("arg"), "c.webp");
    EXPECT_EQ(clip.value("result"), true);
    for (const char *key : {"action", "arg", "result"}) {
        before.remove(key);
        clip.remove(key);
    }
    EXPECT_EQ(clip, before);
}

TEST_F(ClipToolTest, RangesAreClampedAndAnEmptyOneIsAUsageError)
{
    EXPECT_EQ(Run({"spill.ostrelScript", "--clip", "5:3:x.webp"}), 64);
    EXPECT_FALSE(QFile::exists(dir.filePath("x.webp")));
    // Both ends past the end clamp to it: one frame.
    EXPECT_EQ(Run({"--json", "spill.ostrelScript", "--clip", "900:-4:x.webp"}), 64);
    // OUT keeps its own colons: a file named so here, a path with its drive on Windows.
#ifdef Q_OS_WIN
    const QString out = dir.filePath(QStringLiteral("x.gif"));
#else
    const QString out = QStringLiteral("C:x.gif");
#endif
    ASSERT_EQ(Run({"--json", "spill.ostrelScript", "--clip", QStringLiteral("900:800:") + out}), 0);
    EXPECT_EQ(states[1].toObject().value("result"), true);
    EXPECT_EQ(DecodeGifPositions(QDir(dir.path()).filePath(out), 100).size(), 1u);
    EXPECT_EQ(Run({"spill.ostrelScript", "--clip", "1:2:x.png"}), 64);
    EXPECT_EQ(Run({"--clip-zoom", "0", "spill.ostrelScript"}), 64);
}

} // namespace
} // namespace ostrel
