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

// The actions of a worked tournament, as its .args file gives them.
QStringList ActionsOf(const QString &name)
{
    QFile args(GoldenDir + "/" + name + ".args");
    EXPECT_TRUE(args.open(QIODevice::ReadOnly));
    return QString::fromLatin1(args.readAll()).split(QRegularExpression("\\s+"), Qt::SkipEmptyParts);
}

class GoldenStateTest : public testing::TestWithParam<const char *> {};

TEST_P(GoldenStateTest, PrintsTheExpectedModelAndStates)
{
    const QString name = QString::fromLatin1(GetParam());
    QFile expected(GoldenDir + "/" + name + ".expected.json");
    ASSERT_TRUE(expected.open(QIODevice::ReadOnly));

    QProcess tool;
    tool.setWorkingDirectory(GoldenDir);
    tool.start(QStringLiteral(OSTREL_INSPECT_TOOL),
               QStringList{"--json", "--model", name + ".ostrelScript"} + ActionsOf(name));
    ASSERT_TRUE(tool.waitForFinished(60000));
    EXPECT_EQ(tool.exitCode(), 0);
    EXPECT_EQ(ReadJson(tool.readAllStandardOutput()), ReadJson(expected.readAll()));
}

// Text mode reads its counts straight from the session, not from the state it
// would print as JSON: each action's line must still say what that state holds.
TEST_P(GoldenStateTest, TextLinesCountWhatTheStatesHold)
{
    const QString name = QString::fromLatin1(GetParam());
    const QStringList actions =
        ActionsOf(name) + QStringList{"--reset", "--fast", "--tick", "3", "--seek", "+0002", "--play", "--quit"};
    QProcess json, text;
    for (QProcess *tool : {&json, &text}) {
        tool->setWorkingDirectory(GoldenDir);
        const QStringList mode = tool == &json ? QStringList{"--json"} : QStringList();
        tool->start(QStringLiteral(OSTREL_INSPECT_TOOL), mode + QStringList{name + ".ostrelScript"} + actions);
        ASSERT_TRUE(tool->waitForFinished(60000));
    }
    const QJsonArray states = ReadJson(json.readAllStandardOutput())["states"].toArray();
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
    // Windows writes its text-mode line ends as CR LF.
    const QString printed = QString::fromUtf8(text.readAllStandardOutput()).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    EXPECT_TRUE(printed.endsWith(expected.join('\n') + '\n'));
}

INSTANTIATE_TEST_SUITE_P(Worked, GoldenStateTest,
                         testing::Values("sample01", "sample02", "sample03", "sample04", "sample05", "sample06"));

} // namespace
