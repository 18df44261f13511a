// ostrel-inspect: loads a script file with the viewer's own loader, engine
// and map drawing, runs the given actions in order as a user would in the
// window, and prints what the viewer holds after each.

#include "headlessviewer.h"
#include "mappainter.h"
#include "viewerjson.h"
#include "sjisdecoder.h"
#include "stringtable.h"

#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>

#include <cstdio>
#include <optional>

namespace {

enum ExitCode { Loaded = 0, NotOpened = 1, Refused = 2, UsageError = 64 };

const char Usage[] =
    "usage: ostrel-inspect [--json] [--model] FILE [ACTION]...\n"
    "Loads FILE as the viewer does and prints what it holds.\n"
    "  --json        print one JSON object instead of a summary\n"
    "  --model       with --json, include the loaded model\n"
    "Actions, run in order after the load, each adding a state:\n"
    "  --seek P      move the slider to P (clamped into its range)\n"
    "  --reset       return to the start (the Quit button)\n"
    "  --load F      open another file (the Open button)\n"
    "  --render PNG  write the map as it stands to PNG\n"
    "Exit status: 0 loaded, 1 not opened, 2 refused, 64 usage error.\n";

struct Action {
    QString name;
    QString arg;
};

struct Options {
    bool json = false;
    bool model = false;
    QString file;
    std::vector<Action> actions;
};

std::optional<Options> ParseArguments(const QStringList &args)
{
    Options options;
    bool haveFile = false;
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString &a = args[i];
        if (a == "--json") {
            options.json = true;
        } else if (a == "--model") {
            options.model = true;
        } else if (a == "--reset") {
            options.actions.push_back({"reset", {}});
        } else if (a == "--seek" || a == "--load" || a == "--render") {
            if (i + 1 >= args.size())
                return std::nullopt;
            const QString value = args[++i];
            bool isNumber = true;
            if (a == "--seek")
                value.toInt(&isNumber);
            if (!isNumber)
                return std::nullopt;
            options.actions.push_back({a.mid(2), value});
        } else if (a.startsWith("--") || haveFile) {
            return std::nullopt;
        } else {
            options.file = a;
            haveFile = true;
        }
    }
    if (!haveFile)
        return std::nullopt;
    return options;
}

// Runs one action; returns its result as the state reports it.
bool Run(HeadlessViewer &viewer, const Action &action)
{
    if (action.name == "seek")
        return viewer.MoveSlider(action.arg.toInt());
    if (action.name == "reset") {
        viewer.Reset();
        return true;
    }
    if (action.name == "load")
        return viewer.Open(action.arg);
    return viewer.Grid().IsDrawn() && RenderMap(viewer.Grid()).save(action.arg, "PNG");
}

QJsonValue ArgOf(const Action &action)
{
    if (action.name == "reset")
        return QJsonValue::Null;
    if (action.name == "seek")
        return action.arg.toInt();
    return action.arg;
}

void PrintSummary(const HeadlessViewer &viewer, bool loaded)
{
    const ReplayModel &m = viewer.Model();
    std::printf("loaded: %s\n", loaded ? "yes" : "no");
    for (int id : viewer.Messages())
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

// One line per action after the load: where the replay stands and what shows.
void PrintActions(const QJsonArray &states)
{
    for (qsizetype i = 1; i < states.size(); ++i) {
        const QJsonObject state = states[i].toObject();
        const QString arg = state["arg"].isNull() ? QString() : QLatin1Char(' ') + state["arg"].toVariant().toString();
        std::printf("%s%s: %s, position %d of %d, %lld digest lines, %lld battles listed\n",
                    qPrintable(state["action"].toString()), qPrintable(arg),
                    state["result"].toBool() ? "done" : "nothing done", state["position"].toInt(),
                    state["max"].toInt(), static_cast<long long>(state["digest"].toArray().size()),
                    static_cast<long long>(state["battles"].toArray().size()));
    }
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);  // the map's labels need the font database

    const QStringList args = QCoreApplication::arguments();
    if (args.contains("--help") || args.contains("-h")) {
        std::fputs(Usage, stdout);
        return 0;
    }
    const std::optional<Options> options = ParseArguments(args);
    if (!options) {
        std::fputs(Usage, stderr);
        return UsageError;
    }

    HeadlessViewer viewer;
    const bool loaded = viewer.Open(options->file);
    const ExitCode exitCode = loaded ? Loaded : viewer.Messages().empty() ? NotOpened : Refused;
    if (!loaded)
        std::fprintf(stderr, "ostrel-inspect: %s: %s\n", qPrintable(options->file),
                     exitCode == NotOpened ? "cannot be opened" : "refused");

    QJsonArray states{StateToJson(viewer, "load", options->file, loaded)};
    QJsonObject model;
    if (loaded && options->model)
        model = ModelToJson(viewer.Model());
    for (const Action &action : options->actions) {
        const bool result = Run(viewer, action);
        states.append(StateToJson(viewer, action.name, ArgOf(action), result));
    }

    if (options->json) {
        QJsonObject out{{"loaded", loaded}, {"states", states}};
        QJsonArray messages;
        for (int id : viewer.Messages())
            messages.append(id);
        out.insert("messages", messages);
        if (!model.isEmpty())
            out.insert("model", model);
        const QByteArray text = QJsonDocument(out).toJson(QJsonDocument::Compact);
        std::fwrite(text.constData(), 1, std::size_t(text.size()), stdout);
        std::fputc('\n', stdout);
    } else {
        PrintSummary(viewer, loaded);
        PrintActions(states);
    }
    return exitCode;
}
