// ostrel-inspect run as a user runs it, on the worked tournaments that come
// with their expected output (the model and the state after each action):
// the parsed JSON must be equal, whatever the key order and spacing.

#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
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

// Text mode reads its counts straight from the session, not from the state it
// would print as JSON: each action's line must still say what that state holds.
TEST_P(GoldenStateTest, TextLinesCountWhatTheStatesHold)
{
    const QString name = QString::fromLatin1(GetParam());
    QFile args(GoldenDir + "/" + name + ".args");
    ASSERT_TRUE(args.open(QIODevice::ReadOnly));
    const QStringList actions = QString::fromLatin1(args.readAll()).split(QRegularExpression("\\s+"), Qt::SkipEmptyParts)
        + QStringList{"--reset", "--fast", "--tick", "3", "--seek", "+0002", "--play", "--quit"};
    const auto run = [&](const QStringList &mode) {
        QProcess tool;
        tool.setWorkingDirectory(GoldenDir);
        tool.start(QStringLiteral(OSTREL_INSPECT_TOOL), mode + QStringList{name + ".ostrelScript"} + actions);
        EXPECT_TRUE(tool.waitForFinished(60000));
        return tool.readAllStandardOutput();
    };
    const QJsonArray states = ReadJson(run({"--json"}))["states"].toArray();
    QStringList expected;
    for (qsizetype i = 1; i < states.size(); ++i) {
        const QJsonObject state = states[i].toObject();
        const QString arg = state["arg"].isNull() ? QString() : " " + state["arg"].toVariant().toString();
        expected << QStringLiteral("%1%2: %3, position %4 of %5, %6 digest lines, %7 battles listed")
                        .arg(state["action"].toString(), arg, state["result"].toBool() ? "done" : "nothing done")
                        .arg(state["position"].toInt())
                        .arg(state["max"].toInt())
                        .arg(state["digest"].toArray().size())
                        .arg(state["battles"].toArray().size());
    }
    const QStringList lines = QString::fromUtf8(run({})).split('\n', Qt::SkipEmptyParts);
    ASSERT_GE(lines.size(), expected.size());
    EXPECT_EQ(lines.mid(lines.size() - expected.size()), expected);
    EXPECT_EQ(expected.size(), actions.filter(QRegularExpression("^--")).size());
}

INSTANTIATE_TEST_SUITE_P(Worked, GoldenStateTest,
                         testing::Values("sample01", "sample02", "sample03", "sample04", "sample05", "sample06"));

} // namespace
