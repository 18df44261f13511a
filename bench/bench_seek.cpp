// Seeking and loading on the largest tournaments the format allows, each
// figure set against the floor of reading the same file with a bare fgets
// loop in the same process. Every input is measured in a child process of its
// own, so that its peak memory (the child's VmHWM) is its own.
//
//   bench_seek                    generate the inputs and measure them all
//   bench_seek --measure FILE     measure one file; prints key=value pairs
//   bench_seek --cold-load FILE   only the load, as a fresh process's first act

#include "battlelist.h"
#include "benchinputs.h"
#include "replaysession.h"
#include "stopwatch.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <map>
#include <random>
#include <string>
#include <utility>
#include <vector>

using namespace ostrel;

extern char **environ;

namespace {

template <typename F>
double Median(int runs, F &&work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i)
        times.push_back(Seconds(work));
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// The floor of any loader: every line of the file through fgets.
double FgetsFloor(const char *path)
{
    return Median(3, [&] {
        std::FILE *file = std::fopen(path, "rb");
        if (!file)
            return;
        char line[512];
        long lines = 0;
        while (std::fgets(line, sizeof line, file))
            ++lines;
        std::fclose(file);
        if (lines < 0)
            std::puts("");
    });
}

long PeakKiB()
{
    std::FILE *status = std::fopen("/proc/self/status", "r");
    if (!status)
        return -1;
    char line[256];
    long kib = -1;
    while (std::fgets(line, sizeof line, status))
        if (std::strncmp(line, "VmHWM:", 6) == 0)
            kib = std::atol(line + 6);
    std::fclose(status);
    return kib;
}

// A running viewer has loaded its fonts and drawn a map before the user opens
// a large file: a small tournament is opened and drawn first, and dropped.
void WarmUpAsARunningViewer(const QString &scratch)
{
    QFile file(scratch);
    const QByteArray script = TournamentGenerator::Generate({});
    if (!file.open(QIODevice::WriteOnly) || file.write(script) != script.size())
        return;
    file.close();
    ReplaySession viewer;
    viewer.OpenScript(scratch);
    viewer.MapPicture();
}

// The fgets floor, then the seconds viewer takes to open the same file.
std::pair<double, double> FloorAndLoad(const char *path, ReplaySession &viewer)
{
    const double floor = FgetsFloor(path);
    return {floor, Seconds([&] { viewer.OpenScript(QString::fromLocal8Bit(path)); })};
}

// The first thing a fresh process does: open the file.
int MeasureColdLoad(const char *path)
{
    ReplaySession viewer;
    const auto [floor, load] = FloorAndLoad(path, viewer);
    std::printf("cold=%f coldfgets=%f\n", load, floor);
    return 0;
}

int Measure(const char *path, const QString &scratch)
{
    WarmUpAsARunningViewer(scratch);
    ReplaySession viewer;
    const auto [floor, load] = FloorAndLoad(path, viewer);
    const int end = viewer.SliderMax();
    // The machine is shared: the median of three runs there and back.
    std::vector<double> forwards;
    std::vector<double> backwards;
    for (int run = 0; run < 3; ++run) {
        forwards.push_back(Seconds([&] { viewer.MoveSlider(end); }));
        backwards.push_back(Seconds([&] { viewer.MoveSlider(0); }));
    }
    std::sort(forwards.begin(), forwards.end());
    std::sort(backwards.begin(), backwards.end());
    const double forward = forwards[1];
    const double backward = backwards[1];
    std::mt19937 random(1);
    constexpr int Seeks = 50;
    const double seeks = Seconds([&] {
        for (int i = 0; i < Seeks; ++i)
            viewer.MoveSlider(std::uniform_int_distribution<int>(0, end)(random));
    });
    // Play ticks near the end, where the battle list holds nearly every battle.
    constexpr int Ticks = 200;
    const int first = std::max(0, end - 1 - Ticks);
    viewer.MoveSlider(first);
    const double ticks = Seconds([&] {
        for (int p = first + 1; p <= first + Ticks; ++p)
            viewer.MoveSlider(p);
    });
    const long peak = PeakKiB();
    // What a seek to the end spends on the battle list alone: every battle
    // listed afresh, as after a reset.
    const ReplayModel &model = viewer.Model();
    BattleRows list;
    BattleListMemo memo;
    const double listing = Seconds([&] {
        ::RefreshBattleList(model, end, end, model.Steps.empty() ? nullptr : &model.Steps.back(), list, memo);
    });
    // What reading every row's texts costs, as a front end that prints them all.
    std::size_t rows = 0;
    const double texts = Seconds([&] { rows = list.Rows().size(); });
    std::printf("steps=%d fgets=%f load=%f forward=%f backward=%f seek=%f tick=%f peak=%ld list=%f texts=%f rows=%zu\n",
                end - 1, floor, load, forward, backward, seeks / Seeks, ticks / Ticks, peak, listing, texts, rows);
    return 0;
}

// Runs this program on one file and reads back its figures.
std::map<std::string, double> MeasureInChild(const char *self, const char *mode, const QString &path)
{
    int out[2];
    std::map<std::string, double> figures;
    if (pipe(out) != 0)
        return figures;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    const QByteArray file = path.toLocal8Bit();
    char *argv[] = {const_cast<char *>(self), const_cast<char *>(mode), const_cast<char *>(file.constData()), nullptr};
    pid_t child = 0;
    const int spawned = posix_spawn(&child, self, &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    std::string text;
    char buffer[256];
    for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;)
        text.append(buffer, std::size_t(n));
    close(out[0]);
    if (spawned != 0)
        return figures;
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = std::min(text.find_first_of(" \n", at), text.size());
        const std::string pair = text.substr(at, end - at);
        const std::size_t equals = pair.find('=');
        if (equals != std::string::npos)
            figures[pair.substr(0, equals)] = std::atof(pair.c_str() + equals + 1);
        at = end + 1;
    }
    figures["maxrss"] = double(usage.ru_maxrss);
    return figures;
}

// The machine is shared, so each figure is the median over several child
// processes; a load's ratio is taken within its own process, beside its own
// floor. Peak memory is the largest any of them reached.
std::map<std::string, double> MeasureInChildren(int runs, const char *self, const char *mode, const QString &path)
{
    std::map<std::string, std::vector<double>> samples;
    for (int run = 0; run < runs; ++run) {
        std::map<std::string, double> figures = MeasureInChild(self, mode, path);
        if (figures.count("fgets"))
            figures["loadratio"] = figures["load"] / figures["fgets"];
        if (figures.count("coldfgets"))
            figures["coldratio"] = figures["cold"] / figures["coldfgets"];
        for (const auto &[key, value] : figures)
            samples[key].push_back(value);
    }
    std::map<std::string, double> medians;
    for (auto &[key, values] : samples) {
        std::sort(values.begin(), values.end());
        const bool peak = key == "peak" || key == "maxrss";
        medians[key] = peak ? values.back() : values[values.size() / 2];
    }
    return medians;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc == 3 && std::strcmp(argv[1], "--measure") == 0) {
        QGuiApplication app(argc, argv);
        QTemporaryDir scratch;
        return Measure(argv[2], scratch.filePath(QStringLiteral("warm-up.ostrelScript")));
    }
    if (argc == 3 && std::strcmp(argv[1], "--cold-load") == 0) {
        QGuiApplication app(argc, argv);
        return MeasureColdLoad(argv[2]);
    }
    QCoreApplication app(argc, argv);
    std::vector<BenchInput> inputs(std::begin(LargeInputs), std::end(LargeInputs));
    inputs.push_back({"2 on 1000x200", {1, 2, 1000, 200, 32767, false}});
    QTemporaryDir dir;
    std::printf("%-20s %8s %8s %9s %9s %9s %9s %9s %9s %9s %9s %8s %10s %8s %9s\n", "input", "MB", "steps", "fgets ms",
                "load", "cold load", "0->end ms", "(list ms)", "end->0 ms", "seek ms", "tick ms", "peak MiB", "peak/limit", "rows",
                "texts ms");
    for (const BenchInput &input : inputs) {
        const QString path = WriteInput(dir.path(), input);
        if (path.isEmpty())
            return 1;
        const double bytes = double(QFileInfo(path).size());
        std::map<std::string, double> f = MeasureInChildren(3, argv[0], "--measure", path);
        std::map<std::string, double> cold = MeasureInChildren(5, argv[0], "--cold-load", path);
        const double mib = f["peak"] / 1024;
        // The memory target: three times the file and 64 MiB.
        const double limit = 3 * bytes / 1048576.0 + 64;
        std::printf("%-20s %8.2f %8.0f %9.1f %8.1fx %8.1fx %9.1f %9.1f %9.1f %9.2f %9.3f %8.0f %10.2f %8.0f %9.1f\n",
                    input.Name, bytes / 1e6, f["steps"], f["fgets"] * 1e3, f["loadratio"],
                    cold["coldratio"],
                    f["forward"] * 1e3, f["list"] * 1e3, f["backward"] * 1e3, f["seek"] * 1e3, f["tick"] * 1e3, mib,
                    mib / limit, f["rows"], f["texts"] * 1e3);
        std::fflush(stdout);
    }
    std::printf("load is a multiple of the fgets floor, opening the file in a process that has shown a small "
                "tournament, as a running viewer has; cold load is the same as the first thing a fresh process does "
                "(it sets up the label font too); every figure is the median of 3 processes (cold load: 5), peak the "
                "largest; seeks and ticks include the landing and the battle list "
                "((list) is the part of 0->end that lists every battle afresh; texts is reading every listed row's texts); "
                "peak is VmHWM of a process that loads, seeks 0->end, end->0, 50 random seeks and 200 ticks\n");
    return 0;
}
