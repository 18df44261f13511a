#include "generatedscript.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>

namespace {

QByteArray ReadFile(const QString &path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << qPrintable(path);
    return file.readAll();
}

const QString ExamplePath = QStringLiteral(OSTREL_EXAMPLES "/default.ostrelScript");

// The README of the examples gives the command that made the example; run
// it again, into a scratch file, and the bytes must be the same.
TEST(DefaultExample, IsWhatTheCommandInTheReadmeWrites)
{
    QStringList arguments;
    for (const QByteArray &line : ReadFile(QStringLiteral(OSTREL_EXAMPLES "/README.md")).split('\n'))
        if (line.trimmed().startsWith("ostrel-gen "))
            arguments = QString::fromUtf8(line).split(QLatin1Char(' '), Qt::SkipEmptyParts).mid(1);
    const qsizetype output = arguments.indexOf(QStringLiteral("-o"));
    ASSERT_TRUE(output >= 0 && output + 1 < arguments.size()) << "no ostrel-gen command with -o in the README";
    EXPECT_EQ(arguments[output + 1], QStringLiteral("examples/default.ostrelScript"));

    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    arguments[output + 1] = folder.filePath(QStringLiteral("default.ostrelScript"));
    QProcess tool;
    tool.start(QStringLiteral(OSTREL_GEN_TOOL), arguments);
    ASSERT_TRUE(tool.waitForFinished(60000));
    ASSERT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().constData();
    EXPECT_EQ(ReadFile(arguments[output + 1]), ReadFile(ExamplePath));
}

TEST(DefaultExample, IsSmallButShowsWhatTheViewerDraws)
{
    const QByteArray bytes = ReadFile(ExamplePath);
    EXPECT_LT(bytes.size(), 100 * 1024);
    const GeneratedScript script = GeneratedScript::Read(bytes);
    std::map<int, int> stepsOfBattle;
    bool draw = false;
    bool redStatus = false;
    bool blueStatus = false;
    for (const ScriptEvent &event : script.Events) {
        const FightEvent *fight = std::get_if<FightEvent>(&event);
        if (!fight)
            continue;
        ++stepsOfBattle[fight->Battle];
        if (!fight->Result)
            continue;
        const auto [info, code, status] = *fight->Result;
        draw = draw || code == 2 || code == -1;
        if (code != -1)
            (status & 0x18 ? redStatus : blueStatus) = true;
    }
    EXPECT_GE(stepsOfBattle.size(), 24u) << "a few dozen battles";
    EXPECT_TRUE(std::any_of(stepsOfBattle.begin(), stepsOfBattle.end(),
                            [](const auto &battle) { return battle.second >= 3; }));
    EXPECT_TRUE(draw);
    EXPECT_TRUE(redStatus);
    EXPECT_TRUE(blueStatus);
}

} // namespace
