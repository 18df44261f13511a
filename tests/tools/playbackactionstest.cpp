// ostrel-inspect's playback actions, run as a user runs the tool: the states
// they print with --playback, and the arguments it refuses.

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Three move steps, so the end is position 4.
const char ThreeSteps[] =
    "HeaderLines: 13\nFileName: t\nVersion: 00.00.02\nProgramVersion: 1\nDateTime: 2020/01/01\nTorvex: 1\n"
    "Stadium: S\nXsize: 4\nYsize: 4\nEntrant: 1\nEntrantLines: 6\nMoveLines: 0\nFightLines: 0\n"
    "Doller: A\nOwner: a\nEmblem: AA\nX: 0\nY: 0\nHitPoint: 1,2,3,4,5,6\n"
    "Turn: 1\nMove: 0,1,0\nTurn: 2\nMove: 0,1,0\nTurn: 3\nMove: 0,0,1\n";

struct ToolRun {
    int exitCode = -1;
    QJsonObject output;
    QByteArray text;  // standard output as printed
    QByteArray errors;
};

ToolRun Inspect(const QStringList &arguments)
{
    QProcess tool;
    tool.start(QStringLiteral(OSTREL_INSPECT_TOOL), arguments);
    ToolRun run;
    if (!tool.waitForFinished(60000))
        return run;
    run.exitCode = tool.exitCode();
    run.text = tool.readAllStandardOutput();
    run.errors = tool.readAllStandardError();
    run.output = QJsonDocument::fromJson(run.text).object();
    return run;
}

class InspectPlaybackTest : public testing::Test {
protected:
    void SetUp() override
    {
        QFile file(dir.filePath("three.ostrelScript"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(ThreeSteps);
        path = file.fileName();
    }

    QTemporaryDir dir;
    QString path;
};

// One state as "position playing timer play fwd pause quit slider result".
QString Summary(const QJsonValue &value)
{
    const QJsonObject state = value.toObject();
    const QJsonObject enabled = state["enabled"].toObject();
    QString text = QString::number(state["position"].toInt());
    for (const QJsonValue &flag : {state["playing"], enabled["play"], enabled["fwd"], enabled["pause"],
                                   enabled["quit"], enabled["slider"], state["result"]})
        text += flag.toBool() ? " 1" : " 0";
    return text + QStringLiteral(" %1").arg(state["timer"].toInt());
}

TEST_F(InspectPlaybackTest, PlaysTicksPausesAndOpensAsTheToolbarDoes)
{
    const ToolRun run = Inspect({"--json", "--playback", path, "--play", "--tick", "4", "--tick", "9", "--fast",
                             "--quit", "--open", path, "--pause", "--tick", "2"});
    ASSERT_EQ(run.exitCode, 0);
    QStringList states;
    for (const QJsonValue &state : run.output["states"].toArray())
        states << Summary(state);
    // position, playing, play, fwd, pause, quit, slider, result, timer
    EXPECT_EQ(states, (QStringList{
                          "0 0 1 1 0 1 1 1 0",     // the load
                          "0 1 0 1 1 1 1 1 1000",  // play
                          "4 1 0 1 1 1 1 1 1000",  // four ticks reach the end
                          "4 0 0 0 0 1 1 1 0",     // the first tick after it stops play
                          "4 0 0 0 0 1 1 0 0",     // Fwd is disabled at the end
                          "0 0 1 1 0 1 1 1 0",     // quit
                          "0 0 1 1 0 1 1 1 0",     // open
                          "0 0 1 1 0 1 1 0 0",     // Pause is disabled
                          "0 0 1 1 0 1 1 0 0",     // no tick while the timer is off
                      }));
}

TEST_F(InspectPlaybackTest, WithoutPlaybackTheStatesKeepTheirMembers)
{
    const ToolRun run = Inspect({"--json", path, "--play", "--tick", "1"});
    ASSERT_EQ(run.exitCode, 0);
    const QJsonObject tick = run.output["states"].toArray().at(2).toObject();
    EXPECT_EQ(tick["arg"].toInt(), 1);
    EXPECT_EQ(tick["position"].toInt(), 1);
    EXPECT_FALSE(tick.contains("playing") || tick.contains("timer") || tick.contains("enabled"));
}

// A refused argument is named on one line of its own, with a hint, not a
// whole usage; the exit code is 64.
TEST_F(InspectPlaybackTest, RefusesBadArgumentsNamingThem)
{
    struct Case {
        QStringList after;  // the arguments after the file
        const char *named;  // what the message must say
    };
    const Case cases[] = {
        {{"--tick", "0"}, "invalid value '0' for --tick: not a positive integer"},
        {{"--tick", "-1"}, "invalid value '-1' for --tick: not a positive integer"},
        {{"--tick", "x"}, "invalid value 'x' for --tick: not a positive integer"},
        {{"--tick", "1.5"}, "invalid value '1.5' for --tick: not a positive integer"},
        {{"--tick", ""}, "invalid value '' for --tick: not a positive integer"},
        {{"--tick", "-x"}, "invalid value '-x' for --tick: not a positive integer"},
        {{"--play", "--tick", "2", "--seek", "abc"}, "invalid value 'abc' for --seek: not an integer"},
        {{"--seek", "99999999999"}, "invalid value '99999999999' for --seek: out of range"},
        {{"--tick"}, "'--tick'"},
        {{"--bogus"}, "unknown option '--bogus'"},
        {{"-x"}, "unknown option '-x'"},
        {{"extra.ostrelScript"}, "unexpected argument 'extra.ostrelScript'"},
        {{"--find", ""}, "invalid value '' for --find: empty"},
        {{"--entrant", "1x"}, "invalid value '1x' for --entrant: not an integer"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.after.join(' ').toStdString());
        const ToolRun run = Inspect(QStringList{path} + c.after);
        EXPECT_EQ(run.exitCode, 64);
        EXPECT_TRUE(run.text.isEmpty());
        const qsizetype at = run.errors.indexOf("ostrel-inspect: ");
        ASSERT_GE(at, 0) << run.errors.constData();
        const QByteArrayList lines = run.errors.mid(at).split('\n');
        EXPECT_TRUE(lines.at(0).contains(c.named)) << lines.at(0).constData();
        EXPECT_TRUE(lines.value(1).contains("--help"));
        EXPECT_TRUE(lines.value(2).isEmpty()) << "no usage after the hint";
    }
    EXPECT_EQ(Inspect({path, path}).exitCode, 64);
    EXPECT_EQ(Inspect({}).exitCode, 64);
}

// The whole-tournament views come from the first load, whatever the actions
// do after it, one member each, in the order asked for.
TEST_F(InspectPlaybackTest, AddsTheTournamentViewsOfTheFirstLoad)
{
    const QStringList views{"--find", "aa", "--find", "nobody", "--entrant", "0", "--entrant", "1",
                            "--entrant", "-1", "--timeline", "--json", path};
    const ToolRun plain = Inspect(views);
    const ToolRun run = Inspect(views + QStringList{"--seek", "3", "--load", "missing.ostrelScript"});
    ASSERT_EQ(run.exitCode, 0);
    for (const char *member : {"found", "followed", "timeline"})
        EXPECT_EQ(run.output[member], plain.output[member]) << member;
    const QJsonArray found = run.output["found"].toArray();
    ASSERT_EQ(found.size(), 2);
    EXPECT_EQ(found[0].toObject()["text"].toString(), QStringLiteral("aa"));
    EXPECT_EQ(found[0].toObject()["entrants"].toArray(), QJsonArray{0});
    EXPECT_TRUE(found[1].toObject()["entrants"].toArray().isEmpty());
    const QJsonArray followed = run.output["followed"].toArray();
    ASSERT_EQ(followed.size(), 3);
    EXPECT_EQ(followed[0].toObject()["cells"].toArray().size(), 4);
    EXPECT_TRUE(followed[1].isNull() && followed[2].isNull());
    const int max = run.output["states"].toArray().at(0).toObject()["max"].toInt();
    EXPECT_EQ(run.output["timeline"].toObject()["alive"].toArray().size(), max + 1);
    EXPECT_EQ(run.output["timeline"].toObject()["battle"].toArray().size(), max + 1);

    const ToolRun refused = Inspect({"--timeline", "--json", "missing.ostrelScript"});
    EXPECT_FALSE(refused.output.contains("timeline"));
}

// Every option of --help says what it does; help wins over a bad argument.
TEST_F(InspectPlaybackTest, HelpDescribesEveryOption)
{
    const ToolRun run = Inspect({"--bogus", "--help"});
    EXPECT_EQ(run.exitCode, 0);
    const QString help = QString::fromUtf8(run.text);
    int options = 0;
    for (const QString &line : help.split('\n')) {
        if (!line.startsWith(QStringLiteral("  -")))
            continue;
        ++options;
        // The option's names, then at least two blanks and its description.
        EXPECT_TRUE(QRegularExpression(QStringLiteral("^  -\\S.*\\S  +\\S")).match(line).hasMatch()) << line.toStdString();
    }
    for (const char *option : {"--json", "--playback", "--seek", "--open", "--tick", "--render"})
        EXPECT_TRUE(help.contains(QLatin1String(option))) << option;
    EXPECT_GE(options, 14);
}

} // namespace
