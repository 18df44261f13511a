// The window's life from start to close: placement and pane sizes restored
// from the settings and saved again, stored values that cannot be read, the
// script named on the command line, the version captions, the text of the
// application's error box, and a settings store that cannot be written.
#include "applicationerror.h"
#include "commandline.h"
#include "formtestkit.h"
#include "namedrows.h"
#include "qttranslations.h"
#include "stringtable.h"
#include "toolbarbutton.h"
#include "versioninfo.h"
#include "windowtestsupport.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>
#include <QProcess>
#include <QSettings>
#include <QSlider>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTranslator>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <optional>
#include <tuple>
#include <vector>

using namespace ostrel;

namespace {

using ostrel::PrintTo;

constexpr char WindowGroup[] = "Software/Brimwold/Torvex/Window";
constexpr char ViewerGroup[] = "Software/Brimwold/Torvex/DLL/OstrelScriptViewer";
constexpr QSize DesignClient(472, 438);
constexpr int DesignMapHeight = 216;
constexpr int DesignListWidth = 250;

// One value in the settings store, under its group.
struct Stored
{
    const char *group;
    QString name;
    QVariant value;
};

Stored Window(const char *suffix, const QVariant &value)
{
    return {WindowGroup, QStringLiteral("OstrelView") + QLatin1String(suffix), value};
}

Stored Viewer(const char *name, const QVariant &value)
{
    return {ViewerGroup, QLatin1String(name), value};
}

// The store as the window finds it.
std::unique_ptr<QSettings> Store()
{
    return SettingsStore();
}

QString KeyOf(const char *group, const QString &name)
{
    return QLatin1String(group) + QLatin1Char('/') + name;
}

void Put(const std::vector<Stored> &values)
{
    const auto store = Store();
    for (const Stored &value : values)
        store->setValue(KeyOf(value.group, value.name), value.value);
}

QVariant Get(const char *group, const QString &name)
{
    return Store()->value(KeyOf(group, name));
}

bool CentredOnItsScreen(const QWidget &window)
{
    const QPoint offset = window.frameGeometry().center() - window.screen()->geometry().center();
    return std::abs(offset.x()) <= 1 && std::abs(offset.y()) <= 1;
}

class StartupTest : public ::testing::Test
{
protected:
    void SetUp() override { ForgetSettings(); }
    void TearDown() override { ForgetSettings(); }
};

// A table of start-ups, one row each.
template <class Row>
class StartupRowTest : public StartupTest, public ::testing::WithParamInterface<Row>
{
};

// --- First start and closing ----------------------------------------------

TEST_F(StartupTest, FirstStartCentresTheDesignSizeAndClosingSavesEveryValueAsDecimalText)
{
    TFormView form;
    ASSERT_TRUE(ShowAndWait(&form));
    EXPECT_EQ(form.size(), DesignClient);
    EXPECT_TRUE(CentredOnItsScreen(form));
    EXPECT_EQ(form.ListWidth(), 150);
    // Of the default 304 the map gets what the digest's minimum of 50 leaves.
    EXPECT_EQ(form.MapHeight(), 302);
    EXPECT_EQ(form.RichEditDigest->height(), 50);
    form.resize(DesignClient + QSize(0, 100));
    Settle();
    EXPECT_EQ(form.MapHeight(), 304);

    const QRect outer = form.frameGeometry();
    ASSERT_TRUE(form.close());
    const std::vector<std::pair<Stored, int>> saved = {
        {Window("Top", {}), outer.top()},       {Window("Left", {}), outer.left()},
        {Window("Height", {}), outer.height()}, {Window("Width", {}), outer.width()},
        {Viewer("MapHeight", {}), 304},         {Viewer("ListWidth", {}), 150},
        {Viewer("MapZoom", {}), 100},           {Viewer("OverviewStrip", {}), 0},
        {Window("Maximized", {}), 0}};
    for (const auto &[value, number] : saved) {
        const QVariant text = Get(value.group, value.name);
        EXPECT_EQ(text.typeId(), QMetaType::QString) << value.name.toStdString();
        EXPECT_EQ(text.toString(), QString::number(number));
    }
    const auto store = Store();
    store->beginGroup(QLatin1String(WindowGroup));
    EXPECT_EQ(store->childKeys(),
              (QStringList{"OstrelViewHeight", "OstrelViewLeft", "OstrelViewMaximized", "OstrelViewTop",
                           "OstrelViewWidth"}));
    store->endGroup();
    store->beginGroup(QLatin1String(ViewerGroup));
    EXPECT_EQ(store->childKeys(), (QStringList{"ListWidth", "MapHeight", "MapZoom", "OverviewStrip"}));
}

TEST_F(StartupTest, ClosedAndStartedAgainTheWindowHasItsPlaceSizeAndPanes)
{
    QRect outer;
    {
        TFormView form;
        ASSERT_TRUE(ShowAndWait(&form));
        form.move(100, 80);
        form.resize(560, 520);
        form.SetMapHeight(200);
        form.SetListWidth(180);
        Settle();
        outer = form.frameGeometry();
        ASSERT_TRUE(form.close());
    }
    TFormView form;
    ASSERT_TRUE(ShowAndWait(&form));
    EXPECT_EQ(form.frameGeometry(), outer);
    EXPECT_EQ(form.MapHeight(), 200);
    EXPECT_EQ(form.ListWidth(), 180);
}

// --- Stored placement -----------------------------------------------------

struct PositionCase
{
    const char *Name;
    std::vector<Stored> stored;
    std::optional<QPoint> topLeft;  // none: centred on the screen
};

using StoredPositionTest = StartupRowTest<PositionCase>;

TEST_P(StoredPositionTest, PlacesTheWindow)
{
    Put(GetParam().stored);
    TFormView form;
    ASSERT_TRUE(ShowAndWait(&form));
    if (GetParam().topLeft)
        EXPECT_EQ(form.frameGeometry().topLeft(), *GetParam().topLeft);
    else
        EXPECT_TRUE(CentredOnItsScreen(form));
    EXPECT_EQ(form.size(), DesignClient);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, StoredPositionTest,
    ::testing::Values(PositionCase{"Nothing", {}, std::nullopt},
                      PositionCase{"TopAndLeft", {Window("Top", "120"), Window("Left", "30")}, QPoint(30, 120)},
                      PositionCase{"TopWithoutLeft", {Window("Top", "120")}, QPoint(-1, 120)},
                      PositionCase{"OffEveryScreen", {Window("Top", "-3000"), Window("Left", "5000")},
                                   QPoint(5000, -3000)},
                      PositionCase{"TopMinusOne", {Window("Top", "-1"), Window("Left", "300")}, std::nullopt},
                      PositionCase{"TopNotANumber", {Window("Top", "abc"), Window("Left", "300")}, std::nullopt},
                      PositionCase{"LeftWithoutTop", {Window("Left", "300")}, std::nullopt}),
    RowName);

struct SizeCase
{
    const char *Name;
    std::vector<Stored> stored;
    std::optional<int> outerWidth, outerHeight;  // none: the minimum
};

using StoredSizeTest = StartupRowTest<SizeCase>;

// The stored values are outer sizes, frame included.
TEST_P(StoredSizeTest, SizesTheWindowWithinItsMinimum)
{
    Put(GetParam().stored);
    TFormView form;
    ASSERT_TRUE(ShowAndWait(&form));
    const QSize frame = form.frameGeometry().size() - form.size();
    const QSize minimum = form.minimumSize() + frame;
    EXPECT_EQ(form.frameGeometry().width(), GetParam().outerWidth.value_or(minimum.width()));
    EXPECT_EQ(form.frameGeometry().height(), GetParam().outerHeight.value_or(minimum.height()));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, StoredSizeTest,
    ::testing::Values(SizeCase{"HeightAndWidth", {Window("Height", "600"), Window("Width", "520")}, 520, 600},
                      SizeCase{"HeightWithoutWidth", {Window("Height", "500")}, std::nullopt, 500},
                      SizeCase{"BelowTheMinimum", {Window("Height", "100"), Window("Width", "100")}, std::nullopt,
                               std::nullopt}),
    RowName);

TEST_F(StartupTest, StoredWidthWithoutHeightKeepsTheDesignSize)
{
    Put({Window("Width", "600")});
    TFormView form;
    ASSERT_TRUE(ShowAndWait(&form));
    EXPECT_EQ(form.size(), DesignClient);
}

// --- Stored pane sizes ----------------------------------------------------

struct PaneCase
{
    const char *Name;
    std::vector<Stored> stored;
    int mapHeight, listWidth;
};

using StoredPaneTest = StartupRowTest<PaneCase>;

TEST_P(StoredPaneTest, SizesTheMapAndTheList)
{
    Put(GetParam().stored);
    TFormView form;
    ASSERT_TRUE(ShowAndWait(&form));
    EXPECT_EQ(form.MapHeight(), GetParam().mapHeight);
    EXPECT_EQ(form.PanelMap->height(), GetParam().mapHeight);
    EXPECT_EQ(form.ListWidth(), GetParam().listWidth);
}

// At the design height the default 304 leaves the digest 48 of its minimum
// 50, so the map gets 302; a window 700 high has room for the whole 304.
const Stored Tall = Window("Height", "700");

INSTANTIATE_TEST_SUITE_P(
    Rows, StoredPaneTest,
    ::testing::Values(PaneCase{"Defaults", {}, 302, 150}, PaneCase{"DefaultsInATallWindow", {Tall}, 304, 150},
                      PaneCase{"MapHeightAbc", {Tall, Viewer("MapHeight", "abc")}, 304, 150},
                      PaneCase{"MapHeightEmpty", {Tall, Viewer("MapHeight", "")}, 304, 150},
                      PaneCase{"MapHeightWithLettersAfterItsDigits", {Tall, Viewer("MapHeight", "12abc")}, 304, 150},
                      PaneCase{"BothStored", {Viewer("MapHeight", "200"), Viewer("ListWidth", "180")}, 200, 180},
                      PaneCase{"ListWidthNotANumber", {Viewer("ListWidth", "xyz")}, 302, 150}),
    RowName);

// --- Stored values that are not text --------------------------------------

// Read in this order: Top, Left, Height, Width, MapHeight, ListWidth.
std::vector<Stored> AllStored()
{
    return {Window("Top", "100"),        Window("Left", "50"),         Window("Height", "600"),
            Window("Width", "520"),      Viewer("MapHeight", "200"),   Viewer("ListWidth", "180")};
}

struct NotTextCase
{
    int failing;  // index into AllStored()
    QVariant value;
};

void PrintTo(const NotTextCase &row, std::ostream *out)
{
    *out << AllStored()[std::size_t(row.failing)].name.toStdString() << " as " << row.value.typeName();
}

using NotTextValueTest = StartupRowTest<NotTextCase>;

// The error box shows the value's name; what was read before the failing
// value in the same operation, and everything after it, is not applied.
TEST_P(NotTextValueTest, ShowsTheErrorAndSkipsTheRestOfTheStartUp)
{
    std::vector<Stored> stored = AllStored();
    Put(stored);
    QSize restoredSize;
    {
        TFormView restored;
        ASSERT_TRUE(ShowAndWait(&restored));
        restoredSize = restored.size();
    }
    Stored &failing = stored[std::size_t(GetParam().failing)];
    failing.value = GetParam().value;
    Put({failing});
    ASSERT_NE(Get(failing.group, failing.name).typeId(), QMetaType::QString);

    MessageBoxCatcher catcher;
    TFormView form;
    ASSERT_TRUE(ShowAndWait(&form));
    ASSERT_EQ(catcher.Boxes.size(), 1);
    EXPECT_EQ(catcher.Boxes[0].text, "'" + failing.name + "' のデータ型が不正です.");
    EXPECT_EQ(catcher.Boxes[0].title, QStringLiteral("Ostrel Script ビューアー"));
    EXPECT_EQ(catcher.Boxes[0].icon, QMessageBox::Critical);

    // The four operations of the start-up, each applied only when every
    // value it reads was read before the failure.
    const int failed = GetParam().failing;
    const bool position = failed > 1, size = failed > 3, map = failed > 4;
    EXPECT_EQ(form.frameGeometry().topLeft() == QPoint(50, 100), position);
    EXPECT_EQ(form.size(), size ? restoredSize : DesignClient);
    EXPECT_EQ(form.MapHeight(), map ? 200 : DesignMapHeight);
    EXPECT_EQ(form.ListWidth(), DesignListWidth);
}

INSTANTIATE_TEST_SUITE_P(Rows, NotTextValueTest,
                         ::testing::Values(NotTextCase{0, QStringList{"1", "2"}}, NotTextCase{1, QStringList{"1", "2"}},
                                           NotTextCase{2, QStringList{"1", "2"}}, NotTextCase{3, QStringList{"1", "2"}},
                                           NotTextCase{4, QStringList{"1", "2"}}, NotTextCase{5, QStringList{"1", "2"}},
                                           NotTextCase{4, QByteArray("\x01\x02", 2)}));

TEST_F(StartupTest, AListWrittenInTheIniFileIsNotText)
{
#ifdef _WIN32
    GTEST_SKIP() << "the registry has no INI file";
#endif
    const QString path = Store()->fileName();
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("[Software]\nBrimwold\\Torvex\\DLL\\OstrelScriptViewer\\MapHeight=1, 2\n");
    file.close();

    EXPECT_EQ(Get(ViewerGroup, QStringLiteral("MapHeight")).typeId(), QMetaType::QStringList);
    MessageBoxCatcher catcher;
    TFormView form;
    ASSERT_EQ(catcher.Boxes.size(), 1);
    EXPECT_EQ(catcher.Boxes[0].text, QStringLiteral("'MapHeight' のデータ型が不正です."));
}

// --- A store that cannot be written ---------------------------------------

class UnwritableStoreTest : public StartupTest
{
protected:
    // The store's folder is taken by a plain file: permissions would not
    // stop a test that runs as root.
    void SetUp() override
    {
#ifdef _WIN32
        GTEST_SKIP() << "the registry has no folder to take";
#endif
        StartupTest::SetUp();
        Blocker = QFileInfo(Store()->fileName()).path();
        QDir(Blocker).removeRecursively();
        QFile file(Blocker);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    void TearDown() override
    {
        QFile::remove(Blocker);
        StartupTest::TearDown();
    }

    QString Blocker;
};

TEST_F(UnwritableStoreTest, ClosingStillClosesTheWindowAndSaysTheSettingsWereNotSaved)
{
    TFormView form;
    ASSERT_TRUE(ShowAndWait(&form));
    MessageBoxCatcher catcher;
    EXPECT_TRUE(form.close());
    EXPECT_FALSE(form.isVisible());
    ASSERT_EQ(catcher.Boxes.size(), 1);
    EXPECT_EQ(catcher.Boxes[0].text, QString::fromUtf8(StringTableText(IdsSettingsNotSaved)));
    EXPECT_EQ(catcher.Boxes[0].title, QStringLiteral("Ostrel Script ビューアー"));
}

// --- The command line -----------------------------------------------------

struct CommandLineCase
{
    const char *Name;
    QString line;
    QStringList items;
    QString script;
};

using CommandLineTest = ::testing::TestWithParam<CommandLineCase>;

// The script the start-up takes, or "error: " and why it refuses the line.
QString ScriptOrError(const ParsedStartup &parsed)
{
    return parsed.Accepted ? parsed.Accepted->Script : QStringLiteral("error: ") + parsed.Error;
}

TEST_P(CommandLineTest, SplitsAndTakesTheOnlyArgument)
{
    const QStringList items = SplitCommandLine(GetParam().line);
    EXPECT_EQ(items, GetParam().items);
    EXPECT_EQ(ScriptOrError(ParseStartupArguments(items)), GetParam().script);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CommandLineTest,
    ::testing::Values(
        CommandLineCase{"QuotedPathWithABlank",
                        R"(OstrelView.exe "C:\My Files\cup.ostrelScript")",
                        {"OstrelView.exe", R"(C:\My Files\cup.ostrelScript)"},
                        R"(C:\My Files\cup.ostrelScript)"},
        CommandLineCase{"UnquotedPathWithABlank",
                        R"(OstrelView.exe C:\My Files\cup.ostrelScript)",
                        {"OstrelView.exe", R"(C:\My)", R"(Files\cup.ostrelScript)"},
                        R"(error: more than one file named: 'Files\cup.ostrelScript')"},
        CommandLineCase{"QuotesInsideAnArgument",
                        R"(OstrelView.exe C:\"My Files"\cup)",
                        {"OstrelView.exe", R"(C:\My Files\cup)"},
                        R"(C:\My Files\cup)"},
        CommandLineCase{"QuotedProgramAndASecondArgument",
                        R"("C:\Program Files\OstrelView.exe" a.ostrelScript b.ostrelScript)",
                        {R"(C:\Program Files\OstrelView.exe)", "a.ostrelScript", "b.ostrelScript"},
                        "error: more than one file named: 'b.ostrelScript'"},
        CommandLineCase{"QuoteLeftOpen",
                        R"(OstrelView.exe "C:\My Files\cup)",
                        {"OstrelView.exe", R"(C:\My Files\cup)"},
                        R"(C:\My Files\cup)"},
        CommandLineCase{"ControlCharactersSeparate",
                        QStringLiteral("OstrelView.exe\ta.ostrelScript\x01" "b\r\nc"),
                        {"OstrelView.exe", "a.ostrelScript", "b", "c"},
                        "error: more than one file named: 'b'"},
        CommandLineCase{"RunsOfBlanks", "   OstrelView.exe    a    ", {"OstrelView.exe", "a"}, "a"},
        CommandLineCase{"DoubleByteCharacters",
                        "OstrelView.exe 桜花　アリーナ.ostrelScript",
                        {"OstrelView.exe", "桜花　アリーナ.ostrelScript"},
                        "桜花　アリーナ.ostrelScript"},
        CommandLineCase{"ProgramOnly", "OstrelView.exe", {"OstrelView.exe"}, ""},
        CommandLineCase{"Empty", "", {}, ""}),
    RowName);

// The moment options: what the start-up takes from a command line (after
// the program), as script|position|follow with "-" for an absent option.
struct MomentArgumentsCase
{
    const char *Name;
    QStringList arguments;
    QString parsed;
};

QString Printed(const ParsedStartup &parsed)
{
    const auto number = [](std::optional<int> value) { return value ? QString::number(*value) : QStringLiteral("-"); };
    return parsed.Accepted ? QStringLiteral("%1|%2|%3").arg(parsed.Accepted->Script, number(parsed.Accepted->Position),
                                                            number(parsed.Accepted->Follow))
                           : QStringLiteral("error: ") + parsed.Error;
}

using MomentArgumentsTest = ::testing::TestWithParam<MomentArgumentsCase>;

TEST_P(MomentArgumentsTest, ParsesTheScriptAndTheMoment)
{
    EXPECT_EQ(Printed(ParseStartupArguments(QStringList{"ostrel-view"} + GetParam().arguments)), GetParam().parsed);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, MomentArgumentsTest,
    ::testing::Values(
        MomentArgumentsCase{"BothBeforeTheScript", {"--position", "40", "--follow", "7", "a"}, "a|40|7"},
        MomentArgumentsCase{"EqualsFormsAfterTheScript", {"a", "--position=+5", "--follow=-3"}, "a|5|-3"},
        MomentArgumentsCase{"OptionsWithoutAScript", {"--position", "3"}, "|3|-"},
        MomentArgumentsCase{"UnknownOption", {"--positions", "a"}, "error: unknown option '--positions'"},
        MomentArgumentsCase{"UnknownShortOption", {"a", "-x"}, "error: unknown option '-x'"},
        MomentArgumentsCase{"SecondScript", {"a", "--follow", "1", "b"}, "error: more than one file named: 'b'"},
        MomentArgumentsCase{"DoubleDashEndsTheOptions", {"--position", "2", "--", "-a"}, "-a|2|-"},
        MomentArgumentsCase{"OptionAfterTheDoubleDashIsAScript", {"--", "a", "--follow"},
                            "error: more than one file named: '--follow'"},
        MomentArgumentsCase{"LoneDashIsAScript", {"-", "--follow", "-1"}, "-|-|-1"},
        MomentArgumentsCase{"TooLargeIsSaturated", {"--position", "99999999999999999999", "--follow=-99999999999", "a"},
                            "a|2147483647|-2147483648"},
        MomentArgumentsCase{"NotAnInteger", {"--position", "end", "a"},
                            "error: invalid value 'end' for --position: not an integer"},
        MomentArgumentsCase{"EmptyValue", {"--follow=", "a"}, "error: invalid value '' for --follow: not an integer"},
        MomentArgumentsCase{"MissingValue", {"a", "--position"}, "error: missing value for --position"}),
    RowName);

// The start-up with the arguments of a command line: what the window loaded
// once it was shown, as steps=<steps loaded> max=<slider maximum>
// play=<0|1> messages=<loader ids> unopened=<files reported as not openable>.
struct FormShowCase
{
    const char *Name;
    QStringList arguments;  // names in the test's folder
    QString printed;
};

class FormShowTest : public StartupRowTest<FormShowCase>
{
protected:
    void SetUp() override
    {
        StartupTest::SetUp();
        ASSERT_FALSE(Files.Write("with blank.ostrelScript", FiveStepTournament()).isEmpty());
        ASSERT_FALSE(Files.Write("three.ostrelScript", ThreeStepTournament()).isEmpty());
        ASSERT_FALSE(Files.Write("refused.ostrelScript", RefusedScript()).isEmpty());
        ASSERT_TRUE(QDir().mkdir(Files.Path("folder.ostrelScript")));
    }

    QString StartWith(const QStringList &names) const
    {
        QStringList arguments{QStringLiteral("OstrelView.exe")};
        for (const QString &name : names)
            arguments << Files.Path(name);
        const ParsedStartup parsed = ParseStartupArguments(arguments);
        if (!parsed.Accepted)
            return QStringLiteral("refused");
        ScriptedFormView form(*parsed.Accepted);
        if (!ShowAndWait(&form))
            return QStringLiteral("not shown");
        QStringList messages;
        for (int id : form.LoaderMessages)
            messages << QString::number(id);
        QStringList unopened;
        for (const QString &path : form.UnopenedFiles)
            unopened << QFileInfo(path).fileName();
        return QStringLiteral("steps=%1 max=%2 play=%3 messages=%4 unopened=%5")
            .arg(form.Session.Model().Steps.size())
            .arg(form.TrackBarProgress->maximum())
            .arg(int(form.ToolButtonPlay->isEnabled()))
            .arg(messages.join(','), unopened.join(','));
    }

    ScriptFolder Files;
};

TEST_P(FormShowTest, LoadsOnlyAnExistingFileNamedFirst)
{
    EXPECT_EQ(StartWith(GetParam().arguments), GetParam().printed);
}

const QString NothingLoaded = "steps=0 max=30 play=0 messages= unopened=";

// A name that cannot be opened is reported, naming the file.
QString NotOpened(const char *name)
{
    return NothingLoaded + QLatin1String(name);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FormShowTest,
    ::testing::Values(
        FormShowCase{"NoArgument", {}, NothingLoaded},
        FormShowCase{"PathWithABlank", {"with blank.ostrelScript"}, "steps=5 max=6 play=1 messages= unopened="},
        FormShowCase{"PartBeforeTheBlank", {"with", "blank.ostrelScript"}, "refused"},
        FormShowCase{"Directory", {"folder.ostrelScript"}, NotOpened("folder.ostrelScript")},
        FormShowCase{"MissingFile", {"missing.ostrelScript"}, NotOpened("missing.ostrelScript")},
        FormShowCase{"MissingFirstExistingSecond", {"missing.ostrelScript", "three.ostrelScript"}, "refused"},
        FormShowCase{"SecondFileRefusesTheLine", {"three.ostrelScript", "refused.ostrelScript"}, "refused"},
        FormShowCase{"RefusedFile", {"refused.ostrelScript"}, "steps=0 max=30 play=0 messages=40002 unopened="}),
    RowName);

// The window opens the script at the position asked for, clamped into the
// slider's range, following the entrant asked for (nobody outside the table).
TEST_F(StartupTest, OpensTheScriptAtTheMomentTheCommandLineNames)
{
    ScriptFolder files;
    const QString script = files.Write("five.ostrelScript", FiveStepTournament());
    const std::vector<std::tuple<QStringList, int, int>> moments = {
        {{"--position", "3", "--follow", "2"}, 3, 2}, {{"--position=99", "--follow=4"}, FiveSteps + 1, -1}};
    for (const auto &[options, position, followed] : moments) {
        ScriptedFormView form(ParseStartupArguments(QStringList{"ostrel-view", script} + options).Accepted.value());
        ASSERT_TRUE(ShowAndWait(&form));
        EXPECT_EQ(form.CurrentPosition(), position);
        EXPECT_EQ(form.TrackBarProgress->value(), position);
        EXPECT_EQ(form.Session.Followed(), followed);
    }
}

TEST_F(StartupTest, AFileThatCannotBeOpenedIsNamedInAMessage)
{
    ScriptFolder files;
    const QString missing = files.Path(QStringLiteral("ない.ostrelScript"));
    MessageBoxCatcher catcher;
    TFormView form;
    EXPECT_FALSE(form.OpenScript(missing));
    ASSERT_EQ(catcher.Boxes.size(), 1);
    EXPECT_TRUE(catcher.Boxes[0].text.contains(QDir::toNativeSeparators(missing))) << catcher.Boxes[0].text.toStdString();
    EXPECT_EQ(catcher.Boxes[0].title, QString::fromUtf8(StringTableText(IdsLoaderCaption)));
    EXPECT_EQ(catcher.Boxes[0].icon, QMessageBox::Warning);
}

// Named on the command line, a missing or refused file is reported once the
// window is on the screen, in a box over it.
TEST_F(StartupTest, AStartUpMessageStandsOverTheShownWindow)
{
    ScriptFolder files;
    for (const QString &script : {files.Path(QStringLiteral("ない.ostrelScript")),
                                  files.Write(QStringLiteral("refused.ostrelScript"), RefusedScript())}) {
        MessageBoxCatcher catcher;
        TFormView form(StartupArguments{script, {}, {}});
        ASSERT_TRUE(ShowAndWait(&form));
        ASSERT_TRUE(QTest::qWaitFor([&] { return !catcher.Boxes.empty(); }, 5000)) << script.toStdString();
        EXPECT_EQ(catcher.Boxes[0].parent, &form);
        EXPECT_TRUE(catcher.Boxes[0].parentOnScreen);
    }
}

// --help and --version answer on the standard output and end the program
// before it needs a display: with none to connect to, opening a window
// would fail.
TEST(InformationOptionTest, PrintsAndEndsWithoutADisplay)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    // The version line names the program as it is called (OstrelView on Windows).
    const QString version = QFileInfo(QStringLiteral(OSTREL_VIEWER_PROGRAM)).completeBaseName() + " 1.0.0.2";
    const std::vector<std::pair<QStringList, QString>> rows = {{{"--help"}, "Usage: "},
                                                               {{"-h"}, "Usage: "},
                                                               {{"--version"}, version},
                                                               {{"cup.ostrelScript", "-v"}, version}};
    for (const auto &[arguments, printedStart] : rows) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        QProcess viewer;
        viewer.setProcessEnvironment(environment);
        viewer.start(QStringLiteral(OSTREL_VIEWER_PROGRAM), arguments);
        ASSERT_TRUE(viewer.waitForFinished(30000));
        EXPECT_EQ(viewer.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(viewer.exitCode(), 0);
        EXPECT_TRUE(QString::fromLocal8Bit(viewer.readAllStandardOutput()).startsWith(printedStart));
    }
}

// --help names the options; a value that is no integer is named on the
// standard error and ends the program before any window is made.
TEST(MomentOptionTest, HelpNamesTheOptionsAndARefusedValueEndsTheProgram)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    const std::vector<std::tuple<QStringList, int, QString>> rows = {
        {{"--help"}, 0, "--position <P>"}, {{"--help"}, 0, "--follow <N>"},
        {{"--help"}, 0, "after '--'"},
        {{"--follow", "two", "missing.ostrelScript"}, 64, "invalid value 'two' for --follow"},
        {{"--bogus"}, 64, "ostrel-view: unknown option '--bogus'\nTry 'ostrel-view --help' for more information."},
        {{"a.ostrelScript", "b.ostrelScript"}, 64, "ostrel-view: more than one file named: 'b.ostrelScript'\nTry"}};
    for (const auto &[arguments, exitCode, shown] : rows) {
#ifdef _WIN32
        // There a refusal is shown in a message box, which no test can close.
        if (exitCode != 0)
            continue;
#endif
        QProcess viewer;
        viewer.setProcessEnvironment(environment);
        viewer.start(QStringLiteral(OSTREL_VIEWER_PROGRAM), arguments);
        ASSERT_TRUE(viewer.waitForFinished(30000));
        EXPECT_EQ(viewer.exitCode(), exitCode);
        const QByteArray printed = exitCode == 0 ? viewer.readAllStandardOutput() : viewer.readAllStandardError();
        EXPECT_TRUE(QString::fromLocal8Bit(printed).contains(shown)) << printed.toStdString();
    }
}

// --- Version captions -----------------------------------------------------

TEST_F(StartupTest, CaptionsCarryTheFileVersion)
{
    TFormView form;
    EXPECT_EQ(form.Version->text(), QStringLiteral("Version 1.0.0.2"));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("OstrelScirpt ビューアー Ver.1.0.0.2"));
}

struct VersionCase
{
    const char *fileName;
    std::optional<QString> version;
};

void PrintTo(const VersionCase &row, std::ostream *out)
{
    *out << '"' << row.fileName << '"';
}

using VersionInfoTest = ::testing::TestWithParam<VersionCase>;

TEST_P(VersionInfoTest, HoldsDataForTheViewersFileNameOnly)
{
    VersionInfo info(GetParam().fileName);
    EXPECT_EQ(info.GetFileVersion(), GetParam().version);
}

INSTANTIATE_TEST_SUITE_P(Rows, VersionInfoTest,
                         ::testing::Values(VersionCase{"OstrelView.exe", QStringLiteral("1.0.0.2")},
                                           VersionCase{"ostrel-view", std::nullopt},
                                           VersionCase{"OstrelView", std::nullopt},
                                           VersionCase{"OstrelView.dll", std::nullopt},
                                           VersionCase{"", std::nullopt}));

// --- Qt's own texts -------------------------------------------------------

// Qt's Japanese texts come from the first folder that holds them; with none,
// Qt's texts stay English. The buttons of the dialogs show them.
TEST(QtTranslationTest, InstallsQtsJapaneseTextsFromTheFirstFolderThatHoldsThem)
{
    const QStringList folders = QtTranslationFolders();
    ASSERT_EQ(folders.size(), 2);
    EXPECT_EQ(folders[0], QCoreApplication::applicationDirPath() + QStringLiteral("/translations"));
    const QString shipped = QDir(folders[1]).filePath(QStringLiteral("qtbase_ja.qm"));
    if (!QFile::exists(shipped))
        GTEST_SKIP() << "Qt's Japanese texts are not installed (qt6-translations-l10n)";
    QTemporaryDir scratch;
    const QString empty = scratch.filePath(QStringLiteral("empty"));
    const QString beside = scratch.filePath(QStringLiteral("translations"));
    ASSERT_TRUE(QDir().mkpath(empty) && QDir().mkpath(beside));
    ASSERT_TRUE(QFile::copy(shipped, QDir(beside).filePath(QStringLiteral("qtbase_ja.qm"))));
    const std::vector<std::pair<QStringList, QString>> rows = {
        {{beside}, QStringLiteral("キャンセル")},
        {{empty, folders[1]}, QStringLiteral("キャンセル")},
        {{empty}, QStringLiteral("Cancel")}};
    for (const auto &[searched, cancel] : rows) {
        SCOPED_TRACE(searched.join(' ').toStdString());
        const std::unique_ptr<QTranslator> translator(InstallQtTranslations(searched));
        EXPECT_EQ(translator != nullptr, cancel != QStringLiteral("Cancel"));
        QDialogButtonBox buttons(QDialogButtonBox::Cancel);
        EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text(), cancel);
    }
}

// --- The error box's text -------------------------------------------------

struct ErrorTextCase
{
    QString message, shown;
};

void PrintTo(const ErrorTextCase &row, std::ostream *out)
{
    *out << '"' << row.message.toStdString() << '"';
}

using ApplicationErrorTextTest = ::testing::TestWithParam<ErrorTextCase>;

// "." is added only after a last character whose first Shift-JIS byte sorts
// after "." (0x2E).
TEST_P(ApplicationErrorTextTest, EndsWithAFullStopOnlyAfterACharacterSortingAfterIt)
{
    EXPECT_EQ(ApplicationErrorText(GetParam().message), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(Rows, ApplicationErrorTextTest,
                         ::testing::Values(ErrorTextCase{"abc", "abc."}, ErrorTextCase{"abc.", "abc."},
                                           ErrorTextCase{"a!", "a!"}, ErrorTextCase{"a-", "a-"},
                                           ErrorTextCase{"a ", "a "}, ErrorTextCase{"a/", "a/."},
                                           ErrorTextCase{"a0", "a0."},
                                           ErrorTextCase{"データ型が不正です", "データ型が不正です."},
                                           ErrorTextCase{"ｱ", "ｱ."}, ErrorTextCase{"", ""}));

} // namespace
