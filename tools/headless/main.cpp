// ostrel-inspect: loads a script file into the viewer's own replay session,
// runs the given actions in order as a user would in the window, and prints
// what the viewer holds after each.

#include "clipaction.h"
#include "replaysession.h"
#include "viewerjson.h"
#include "sjisdecoder.h"
#include "stringtable.h"

#include <QCommandLineParser>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QRegularExpression>
#include <QThread>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>
#include <utility>

using namespace ostrel;

namespace {

enum ExitCode { Loaded = 0, NotOpened = 1, Refused = 2, UsageError = 64 };

struct Action {
    QString Name;
    QString Arg;
};

struct Options {
    bool Json = false;
    bool Model = false;
    bool Playback = false;
    QStringList Finds;
    QList<int> Entrants;  // -1 for one that cannot name an entrant
    bool Timeline = false;
    bool Live = false;
    double LiveIdle = 5;  // seconds without a change that end watching
    ClipSettings Clip;
    QString File;
    std::vector<Action> Actions;
};

const QStringList ValueActions{"seek", "load", "open", "tick", "render", "clip"};
const QStringList PlainActions{"reset", "play", "fast", "pause", "quit"};

// Every option with its description, in the order --help lists them; the
// actions are the ones named in the two lists above.
QList<QCommandLineOption> InspectOptions()
{
    const auto option = [](const char *name, const char *description, const char *valueName = "") {
        return QCommandLineOption(QString::fromLatin1(name), QString::fromUtf8(description),
                                  QString::fromLatin1(valueName));
    };
    return {
        option("json", "Print one JSON object instead of a summary."),
        option("model", "With --json, include the loaded model."),
        option("playback", "Add the playback flag, the timer and the Enabled flags of the controls to every state."),
        option("find", "Add to \"found\" the entrants whose name, owner or emblem contains TEXT, compared after "
                       "NFKC normalisation and case folding (repeatable).", "TEXT"),
        option("entrant", "Add to \"followed\" the history of entrant N over the whole tournament, or null when "
                          "there is no such entrant (repeatable).", "N"),
        option("timeline", "Add \"timeline\": the entrants in play and the battle fought at every position."),
        option("live", "After the actions, keep watching FILE and add a state each time the model takes in "
                       "what was written to it (\"grow\", with the bytes of the file it reflects), or FILE is "
                       "loaded anew because it was replaced (\"reload\"). The position follows the live end "
                       "when the slider stood at its maximum. Stops at the events' End line, or when the file "
                       "has not changed for S seconds (--live-idle); a last line without a line end is then "
                       "taken in as a load takes it."),
        option("live-idle", "With --live, stop watching after S seconds without a change (default 5).", "S"),
        option("seek", "Action: move the slider to P (clamped into its range).", "P"),
        option("reset", "Action: return the replay to its start."),
        option("load", "Action: load another file and, on success, rebuild the map.", "F"),
        option("open", "Action: the Open button, the dialog choosing F.", "F"),
        option("play", "Action: click Play."),
        option("fast", "Action: click Fwd."),
        option("pause", "Action: click Pause."),
        option("quit", "Action: click Quit."),
        option("tick", "Action: deliver up to N play timer ticks while the timer runs.", "N"),
        option("render", "Action: write the map as it stands to PNG.", "PNG"),
        option("clip", "Action: write positions A to B (each clamped into the slider's range) as an animation "
                       "to OUT, a lossless WebP (.webp) or a GIF (.gif), one frame per position, made on a copy "
                       "of the replay, which stays where it is. A > B after clamping is a usage error.", "A:B:OUT"),
        option("clip-ms", "Each position's time in a clip, in ms (default 100).", "MS"),
        option("clip-zoom", "The map's scale in a clip, in percent, as the window's zoom paints it (default 100).",
               "Z"),
    };
}

const char Description[] =
    "Loads FILE as the viewer does and prints what it holds. The actions run in\n"
    "order after the load, each adding a state; a click on a disabled button does\n"
    "nothing (result false).\n"
    "Exit status: 0 loaded, 1 not opened, 2 refused, 64 usage error.";

// Why value is refused for the action; empty when it is taken.
QString Rejection(const QString &action, const QString &value)
{
    bool ok = false;
    if (action == "seek") {
        value.toInt(&ok);
        if (ok)
            return {};
        return QRegularExpression("^[+-]?[0-9]+$").match(value).hasMatch() ? QStringLiteral("out of range")
                                                                           : QStringLiteral("not an integer");
    }
    if (action == "clip") {
        QString why;
        return ParseClipSpec(value, why) ? QString() : why;
    }
    if (action == "tick") {
        ok = QRegularExpression("^[0-9]+$").match(value).hasMatch() && value.toLongLong(&ok) >= 1 && ok;
        return ok ? QString() : QStringLiteral("not a positive integer");
    }
    return {};
}

// The parsed options, or the message that names what was refused.
struct Parsed {
    std::optional<Options> Accepted;
    QString Error;
    bool Help = false;
};

Parsed ParseArguments(QCommandLineParser &parser, const QStringList &args)
{
    parser.setApplicationDescription(QString::fromUtf8(Description));
    parser.addPositionalArgument("FILE", "The script file to load.", "FILE [ACTION]...");
    const QCommandLineOption helpOption({"h", "help"}, "Print this help and exit.");
    parser.addOption(helpOption);
    parser.addOptions(InspectOptions());
    // Help wins over anything else on the command line.
    const bool parsed = parser.parse(args);
    if (parser.isSet(helpOption))
        return {std::nullopt, {}, true};
    if (!parser.unknownOptionNames().isEmpty()) {
        const QString name = parser.unknownOptionNames().constFirst();
        return {std::nullopt, QStringLiteral("unknown option '%1%2'").arg(name.size() == 1 ? "-" : "--", name)};
    }
    if (!parsed)
        return {std::nullopt, parser.errorText()};
    const QStringList files = parser.positionalArguments();
    if (files.isEmpty())
        return {std::nullopt, QStringLiteral("no FILE given")};
    if (files.size() > 1)
        return {std::nullopt, QStringLiteral("unexpected argument '%1': one FILE only").arg(files.at(1))};

    Options options;
    options.Json = parser.isSet("json");
    options.Model = parser.isSet("model");
    options.Playback = parser.isSet("playback");
    options.Timeline = parser.isSet("timeline");
    options.Live = parser.isSet("live");
    if (parser.isSet("live-idle")) {
        bool ok = false;
        const QString value = parser.value("live-idle");
        options.LiveIdle = value.toDouble(&ok);
        if (!ok || !(options.LiveIdle >= 0) || options.LiveIdle > 1e6)
            return {std::nullopt, QStringLiteral("invalid value '%1' for --live-idle: not a number of seconds").arg(value)};
        if (!options.Live)
            return {std::nullopt, QStringLiteral("--live-idle needs --live")};
    }
    for (const QString &text : parser.values("find")) {
        if (text.isEmpty())
            return {std::nullopt, QStringLiteral("invalid value '' for --find: empty")};
        options.Finds.append(text);
    }
    for (const QString &value : parser.values("entrant")) {
        if (!QRegularExpression("^[+-]?[0-9]+$").match(value).hasMatch())
            return {std::nullopt, QStringLiteral("invalid value '%1' for --entrant: not an integer").arg(value)};
        // A number too large for an index names no entrant either.
        bool ok = false;
        const long long index = value.toLongLong(&ok);
        options.Entrants.append(ok && index >= 0 && index <= INT_MAX ? int(index) : -1);
    }
    for (const char *name : {"clip-ms", "clip-zoom"}) {
        const QString option = QString::fromLatin1(name);
        if (!parser.isSet(option))
            continue;
        const QString value = parser.value(option);
        const QString rejection = option == "clip-ms" ? ClipMsRejection(value) : ClipZoomRejection(value);
        if (!rejection.isEmpty())
            return {std::nullopt, QStringLiteral("invalid value '%1' for --%2: %3").arg(value, option, rejection)};
    }
    options.Clip.Ms = parser.isSet("clip-ms") ? parser.value("clip-ms").toInt() : options.Clip.Ms;
    options.Clip.Zoom = parser.isSet("clip-zoom") ? parser.value("clip-zoom").toDouble() : options.Clip.Zoom;
    options.File = files.constFirst();
    // The parser keeps each option's values in order, and the order of all
    // options as given: together they give the actions in order.
    QHash<QString, int> used;
    for (const QString &name : parser.optionNames()) {
        if (PlainActions.contains(name)) {
            options.Actions.push_back({name, {}});
        } else if (ValueActions.contains(name)) {
            const QString value = parser.values(name).value(used[name]++);
            const QString rejection = Rejection(name, value);
            if (!rejection.isEmpty())
                return {std::nullopt, QStringLiteral("invalid value '%1' for --%2: %3").arg(value, name, rejection)};
            options.Actions.push_back({name, value});
        }
    }
    return {options, {}};
}

// Ends the program as the window does when memory runs out.
void ExitOnMemoryFailure(const LoadResult &result)
{
    if (result.Outcome != LoadResult::OutOfMemory)
        return;
    std::fprintf(stderr, "%s: %s\n", StringTableText(IdsLoaderCaption), StringTableText(IdsMemoryFailure));
    std::exit(1);
}

class Inspector {
public:
    explicit Inspector(const ClipSettings &clip) : clip_(clip) {}
    // Runs one action; returns its result as the state reports it.
    bool Run(const Action &action)
    {
        static const QHash<QString, ReplaySession::Button> buttons{
            {"play", ReplaySession::Button::Play}, {"fast", ReplaySession::Button::Fwd},
            {"pause", ReplaySession::Button::Pause}, {"quit", ReplaySession::Button::Quit}};
        if (buttons.contains(action.Name))
            return session_.Click(buttons[action.Name]);
        if (action.Name == "seek")
            return session_.MoveSlider(action.Arg.toInt());
        if (action.Name == "reset") {
            session_.ResetToStart();
            return true;
        }
        if (action.Name == "load")
            return Report(session_.OpenScript(action.Arg));
        if (action.Name == "open")
            return Report(session_.ToolButtonOpenClick(action.Arg));
        if (action.Name == "tick")
            return Tick(action.Arg.toLongLong());
        if (action.Name == "clip")
            return Clip(action.Arg);
        const QImage map = session_.MapPicture();
        return !map.isNull() && map.save(action.Arg, "PNG");
    }

    // Keeps the load's messages; true when it succeeded.
    bool Report(const LoadResult &result)
    {
        ExitOnMemoryFailure(result);
        messages_.insert(messages_.end(), result.Messages.begin(), result.Messages.end());
        return result.Succeeded();
    }

    // Ticks are delivered one after another while the timer runs; a tick
    // that switches it off still counts.
    bool Tick(long long count)
    {
        long long delivered = 0;
        while (delivered < count && session_.TimerInterval() != 0) {
            session_.TimerPlayTimer();
            ++delivered;
        }
        return delivered > 0;
    }

    // A range that is empty once clamped is a usage error, found only now
    // that the slider's range is known: the run stops there.
    bool Clip(const QString &arg)
    {
        QString why;
        const ClipSpec spec = *ParseClipSpec(arg, why);
        if (ClipRangeEmpty(session_, spec)) {
            std::fprintf(stderr, "ostrel-inspect: --clip %s: A is after B once both are clamped into 0..%d\n",
                         qPrintable(arg), session_.SliderMax());
            usageError_ = true;
            return false;
        }
        return WriteClip(session_, spec, clip_);
    }
    bool UsageErrorFound() const { return usageError_; }
    ReplaySession &Session() { return session_; }
    const ReplaySession &Session() const { return session_; }
    // The messages of every load so far, in order.
    const std::vector<int> &Messages() const { return messages_; }

private:
    ClipSettings clip_;
    bool usageError_ = false;
    ReplaySession session_;
    std::vector<int> messages_;
};

QJsonValue ArgOf(const Action &action)
{
    if (PlainActions.contains(action.Name))
        return QJsonValue::Null;
    if (action.Name == "seek")
        return action.Arg.toInt();
    if (action.Name == "tick" || action.Name == "grow" || action.Name == "reload")
        return action.Arg.toLongLong();
    if (action.Name == "clip")
        return action.Arg.section(QLatin1Char(':'), 2);
    return action.Arg;
}

// Watching a file as it is written: polls it, and hands each growth or
// reload to report as it happens, until the events' End line is in, or the
// file has not changed for idleSeconds. Then takes in what is left.
class LiveWatch {
public:
    LiveWatch(Inspector &inspector, double idleSeconds) : inspector_(inspector), idleMs_(qint64(idleSeconds * 1000)) {}

    // The first load: waits while the file is too short to load.
    bool Load(const QString &path)
    {
        ReplaySession &session = inspector_.Session();
        path_ = path;
        std::optional<LoadResult> result = session.OpenLive(path);
        idle_.start();
        while (!result) {
            if (idle_.elapsed() >= idleMs_) {
                session.FinishLive();
                return inspector_.Report(session.OpenScript(path));
            }
            Pause();
            const ReplaySession::LiveTake take = session.TakeInAppended();
            if (take.What != ReplaySession::Growth::Waiting)
                result = take.Load;
            NoteChange();
        }
        return inspector_.Report(*result);
    }

    void Watch(const std::function<void(const Action &)> &report)
    {
        ReplaySession &session = inspector_.Session();
        taken_ = session.LiveBytes();
        idle_.start();
        while (session.Watching() && !session.LiveEnded() && idle_.elapsed() < idleMs_) {
            Pause();
            NoteChange();
            Report(session.TakeInAppended(), report);
        }
        Report(session.FinishLive(), report);
    }

private:
    void Report(const ReplaySession::LiveTake &take, const std::function<void(const Action &)> &report)
    {
        const ReplaySession &session = inspector_.Session();
        if (take.What == ReplaySession::Growth::Reloaded) {
            inspector_.Report(take.Load);
            taken_ = session.LiveBytes();
            report({"reload", QString::number(taken_)});
        } else if (take.What == ReplaySession::Growth::Grown && session.LiveBytes() != taken_) {
            inspector_.Report(take.Load);
            taken_ = session.LiveBytes();
            report({"grow", QString::number(taken_)});
        }
    }

    // The idle time counts from the file's last change of size or time.
    void NoteChange()
    {
        const QFileInfo info(path_);
        const auto seen = std::pair(info.exists() ? info.size() : -1, info.lastModified());
        if (seen != seen_) {
            seen_ = seen;
            idle_.restart();
        }
    }

    void Pause() { QThread::msleep(PollMs); }

    static constexpr int PollMs = 50;
    Inspector &inspector_;
    qint64 idleMs_;
    QElapsedTimer idle_;
    QString path_;
    std::pair<qint64, QDateTime> seen_;
    uint64_t taken_ = 0;
};

void Write(const QJsonDocument &document)
{
    const QByteArray text = document.toJson(QJsonDocument::Compact);
    std::fwrite(text.constData(), 1, std::size_t(text.size()), stdout);
}

void PrintSummary(const Inspector &inspector, bool loaded)
{
    const ReplayModel &m = inspector.Session().Model();
    std::printf("loaded: %s\n", loaded ? "yes" : "no");
    for (int id : inspector.Messages())
        std::printf("message %d: %s\n", id, StringTableText(id));
    if (!loaded)
        return;
    const ScriptHeader &h = m.Header;
    std::printf("file name: %s\nversion: %s\nprogram version: %s\ndate: %s\nstadium: %s\n",
                qPrintable(DecodeSjis(h.FileName.View())), qPrintable(DecodeSjis(h.Version.View())),
                qPrintable(DecodeSjis(h.ProgramVersion.View())), qPrintable(DecodeSjis(h.DateTime.View())),
                qPrintable(DecodeSjis(h.Stadium.View())));
    int moves = 0;
    int turns = 0;
    for (const ReplayStep &step : m.Steps) {
        moves += !step.IsFight();
        turns = std::max<int>(turns, step.Turn);
    }
    std::printf("arena: %d x %d\nentrants: %zu (header says %d)\nsteps: %zu (%d move, %zu fight)\n"
                "battles: %zu\nturns: %d\n",
                h.Xsize, h.Ysize, m.Entrants.size(), h.EntrantCount, m.Steps.size(), moves,
                m.Steps.size() - std::size_t(moves), m.Battles.size(), turns);
}

// The views of the whole tournament asked for, as members of the JSON object,
// each followed by a comma. They are taken from the first load, before any
// action runs.
void WriteTournamentViews(const ReplaySession &session, const Options &options)
{
    const auto member = [](const char *name, const QJsonDocument &value) {
        std::printf("\"%s\":", name);
        Write(value);
        std::fputc(',', stdout);
    };
    if (!options.Finds.isEmpty())
        member("found", QJsonDocument(FoundToJson(session, options.Finds)));
    if (!options.Entrants.isEmpty())
        member("followed", QJsonDocument(FollowedToJson(session, options.Entrants)));
    if (options.Timeline)
        member("timeline", QJsonDocument(TimelineToJson(session)));
}

void PrintTournamentViews(const ReplaySession &session, const Options &options)
{
    for (const QString &text : options.Finds) {
        const std::vector<int> found = session.Search().Find(text);
        QStringList indices;
        for (int entrant : found)
            indices.append(QString::number(entrant));
        std::printf("find %s: %zu entrants%s%s\n", qPrintable(text), found.size(), found.empty() ? "" : ": ",
                    qPrintable(indices.join(QStringLiteral(", "))));
    }
    for (int entrant : options.Entrants) {
        const EntrantHistory history = session.Index().HistoryOf(session.Model(), entrant);
        if (history.Entrant < 0) {
            std::printf("entrant: no such entrant\n");
            continue;
        }
        std::printf("entrant %d: %zu cells, %zu rates, %zu statuses, %zu battles\n", entrant, history.Cells.size(),
                    history.Rates.size(), history.Statuses.size(), history.Battles.size());
    }
    if (options.Timeline) {
        const std::vector<int32_t> &alive = session.Index().Alive();
        const std::vector<int16_t> &battle = session.Index().BattleAt();
        std::printf("timeline: %zu positions, %d in play at the start and %d at the end, %td fight steps\n",
                    alive.size(), alive.front(), alive.back(),
                    std::count_if(battle.begin(), battle.end(), [](int16_t number) { return number != 0; }));
    }
}

// One line per action after the load: where the replay stands and what shows.
// Only the counts are read, so that a state costs no more than this line.
QByteArray ActionLine(const Action &action, bool result, const ReplaySession &session)
{
    const QJsonValue argValue = ArgOf(action);
    const QString arg = argValue.isNull() ? QString() : QLatin1Char(' ') + argValue.toVariant().toString();
    return QStringLiteral("%1%2: %3, position %4 of %5, %6 digest lines, %7 battles listed\n")
        .arg(action.Name, arg, result ? "done" : "nothing done")
        .arg(session.CurrentPosition())
        .arg(session.SliderMax())
        .arg(qsizetype(session.Digest().size()))
        .arg(session.BattleList().RowCount())
        .toLocal8Bit();
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);  // the map's labels need the font database

    QCommandLineParser parser;
    const Parsed parsed = ParseArguments(parser, QCoreApplication::arguments());
    if (parsed.Help) {
        std::fputs(qPrintable(parser.helpText()), stdout);
        return 0;
    }
    if (!parsed.Accepted) {
        std::fprintf(stderr, "ostrel-inspect: %s\nTry 'ostrel-inspect --help' for more information.\n",
                     qPrintable(parsed.Error));
        return UsageError;
    }
    const std::optional<Options> &options = parsed.Accepted;

    Inspector inspector(options->Clip);
    LiveWatch live(inspector, options->LiveIdle);
    const bool loaded = options->Live ? live.Load(options->File)
                                      : inspector.Report(inspector.Session().OpenScript(options->File));
    const ExitCode exitCode = loaded ? Loaded : inspector.Messages().empty() ? NotOpened : Refused;
    if (!loaded)
        std::fprintf(stderr, "ostrel-inspect: %s: %s\n", qPrintable(options->File),
                     exitCode == NotOpened ? "cannot be opened" : "refused");

    // Each state is written as soon as it exists, so that memory does not
    // grow with the number of actions.
    const auto stateAfter = [&](const QString &action, const QJsonValue &arg, bool result) {
        return StateToJson(inspector.Session(), action, arg, result, options->Playback);
    };
    if (options->Json) {
        std::printf("{\"loaded\":%s,", loaded ? "true" : "false");
        if (loaded && options->Model) {
            std::fputs("\"model\":", stdout);
            Write(QJsonDocument(ModelToJson(inspector.Session().Model())));
            std::fputc(',', stdout);
        }
        if (loaded)
            WriteTournamentViews(inspector.Session(), *options);
        std::fputs("\"states\":[", stdout);
        Write(QJsonDocument(stateAfter("load", options->File, loaded)));
        for (const Action &action : options->Actions) {
            const bool result = inspector.Run(action);
            if (inspector.UsageErrorFound())
                return UsageError;
            std::fputc(',', stdout);
            Write(QJsonDocument(stateAfter(action.Name, ArgOf(action), result)));
        }
        if (loaded && options->Live) {
            live.Watch([&](const Action &growth) {
                std::fputc(',', stdout);
                Write(QJsonDocument(stateAfter(growth.Name, ArgOf(growth), true)));
                std::fflush(stdout);
            });
        }
        QJsonArray messages;
        for (int id : inspector.Messages())
            messages.append(id);
        std::fputs("],\"messages\":", stdout);
        Write(QJsonDocument(messages));
        std::fputs("}\n", stdout);
    } else {
        QByteArray lines;
        for (const Action &action : options->Actions) {
            const bool result = inspector.Run(action);
            if (inspector.UsageErrorFound())
                return UsageError;
            lines += ActionLine(action, result, inspector.Session());
        }
        PrintSummary(inspector, loaded);
        if (loaded)
            PrintTournamentViews(inspector.Session(), *options);
        std::fwrite(lines.constData(), 1, std::size_t(lines.size()), stdout);
        if (loaded && options->Live) {
            live.Watch([&](const Action &growth) {
                const QByteArray line = ActionLine(growth, true, inspector.Session());
                std::fwrite(line.constData(), 1, std::size_t(line.size()), stdout);
                std::fflush(stdout);
            });
        }
    }
    return exitCode;
}
