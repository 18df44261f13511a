// ostrel-inspect run as a user runs it, on the worked tournaments that come
// with their expected output (the model and the state after each action):
// the parsed JSON must be equal, whatever the key order and spacing.

#include <QFile>
#include <QJsonDocument>
#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

const QString GoldenDir = QStringLiteral(OSTREL_GOLDEN_DIR);

QJsonDocument ReadJson(const QByteArray &bytes)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    return document;
}

class GoldenStateTest : public testing::TestWithParam<const char *> {};

TEST_P(GoldenStateTest, PrintsTheExpectedModelAndStates)
{
    const QString name = QString::fromLatin1(GetParam());
    QFile args(GoldenDir + "/" + name + ".args");
    QFile expected(GoldenDir + "/" + name + ".expected.json");
    ASSERT_TRUE(args.open(QIODevice::ReadOnly));
    ASSERT_TRUE(expected.open(QIODevice::ReadOnly));

    QProcess tool;
    tool.setWorkingDirectory(GoldenDir);
    tool.start(QStringLiteral(OSTREL_INSPECT_TOOL),
               QStringList{"--json", "--model", name + ".ostrelScript"}
                   + QString::fromLatin1(args.readAll()).split(QRegularExpression("\\s+"), Qt::SkipEmptyParts));
    ASSERT_TRUE(tool.waitForFinished(60000));
    EXPECT_EQ(tool.exitCode(), 0);
    EXPECT_EQ(ReadJson(tool.readAllStandardOutput()), ReadJson(expected.readAll()));
}

INSTANTIATE_TEST_SUITE_P(Worked, GoldenStateTest,
                         testing::Values("sample01", "sample02", "sample03", "sample04", "sample05", "sample06"));

} // namespace
