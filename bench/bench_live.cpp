// Watching the largest tournament (32767 entrants on 1000x200, 25.6 MB)
// grow, each figure set against the plain load of the whole file measured in
// the same run:
// - one appended turn taken in by a session that follows the live end (the
//   median and the slowest of several consecutive turns);
// - the CPU time of watching the file grow its last 2 % in 20 appends cut at
//   arbitrary bytes, as `ostrel-inspect --live` drives the session, and of
//   the tool itself in a child process against the tool's plain load.
//
//   bench_live    generate the input and measure

#include "benchinputs.h"
#include "replaysession.h"
#include "stopwatch.h"

#include <QByteArray>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

using namespace ostrel;

extern char **environ;

namespace {

double CpuSeconds(const rusage &usage)
{
    const auto seconds = [](const timeval &t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// The CPU time (user and system) of this process that work takes.
template <typename F>
double CpuSecondsOf(F &&work)
{
    rusage before{};
    getrusage(RUSAGE_SELF, &before);
    work();
    rusage after{};
    getrusage(RUSAGE_SELF, &after);
    return CpuSeconds(after) - CpuSeconds(before);
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

bool WriteFile(const QString &path, const QByteArray &bytes, QIODevice::OpenMode mode = QIODevice::WriteOnly)
{
    QFile file(path);
    return file.open(mode) && file.write(bytes) == bytes.size();
}

bool Append(const QString &path, const QByteArray &bytes)
{
    return WriteFile(path, bytes, QIODevice::Append);
}

// Where each "Turn:" line begins.
std::vector<qsizetype> TurnStarts(const QByteArray &script)
{
    std::vector<qsizetype> starts;
    for (qsizetype at = script.indexOf("\nTurn: "); at >= 0; at = script.indexOf("\nTurn: ", at + 1))
        starts.push_back(at + 1);
    return starts;
}

struct TurnFigures {
    double MedianSeconds = 0;
    double SlowestSeconds = 0;
    double MedianBytes = 0;
    bool Exact = true;  // every take-in reflected exactly the turns appended
};

// The file holds the turns before the one at 98 %; then one turn at a time
// is appended and taken in, with the slider at the live end.
TurnFigures TakeInTurns(const QString &path, const QByteArray &script, int turns)
{
    const std::vector<qsizetype> starts = TurnStarts(script);
    const auto first = std::lower_bound(starts.begin(), starts.end(), qsizetype(script.size() * 0.98));
    TurnFigures figures;
    if (starts.end() - first <= turns || !WriteFile(path, script.left(*first)))
        return {0, 0, 0, false};
    ReplaySession session;
    session.OpenLive(path);
    session.MoveSlider(session.SliderMax());
    std::vector<double> times;
    std::vector<double> sizes;
    for (auto turn = first; turn != first + turns; ++turn) {
        const QByteArray bytes = script.mid(*turn, *(turn + 1) - *turn);
        if (!Append(path, bytes))
            return {0, 0, 0, false};
        ReplaySession::LiveTake take;
        times.push_back(Seconds([&] { take = session.TakeInAppended(); }));
        sizes.push_back(double(bytes.size()));
        figures.Exact = figures.Exact && take.What == ReplaySession::Growth::Grown
                        && session.LiveBytes() == uint64_t(*(turn + 1))
                        && session.SliderPosition() == session.SliderMax();
    }
    figures.MedianSeconds = Median(times);
    figures.SlowestSeconds = *std::max_element(times.begin(), times.end());
    figures.MedianBytes = Median(sizes);
    return figures;
}

// The last 2 % of the file in this many appends, cut at arbitrary bytes.
constexpr int Appends = 20;

std::vector<QByteArray> LastPiecesOf(const QByteArray &script)
{
    const qsizetype start = qsizetype(script.size() * 0.98);
    std::vector<QByteArray> pieces;
    for (int i = 0; i < Appends; ++i) {
        const qsizetype from = start + (script.size() - start) * i / Appends;
        const qsizetype to = start + (script.size() - start) * (i + 1) / Appends;
        pieces.push_back(script.mid(from, to - from));
    }
    return pieces;
}

struct WatchFigures {
    double CpuSeconds = 0;
    bool Whole = false;  // the model reflects every byte at the end
};

// The session driven as the tool drives it: the first load, one take-in per
// append, and the end of watching. Only the session's work is counted, not
// the writes that stand in for the game.
WatchFigures WatchInProcess(const QString &path, const QByteArray &script)
{
    const std::vector<QByteArray> pieces = LastPiecesOf(script);
    if (!WriteFile(path, script.left(script.size() * 98 / 100)))
        return {};
    WatchFigures figures;
    ReplaySession session;
    figures.CpuSeconds = CpuSecondsOf([&] { session.OpenLive(path); });
    for (const QByteArray &piece : pieces) {
        if (!Append(path, piece))
            return {};
        figures.CpuSeconds += CpuSecondsOf([&] { session.TakeInAppended(); });
    }
    figures.CpuSeconds += CpuSecondsOf([&] { session.FinishLive(); });
    figures.Whole = session.LiveBytes() == uint64_t(script.size()) && session.SliderMax() > 0;
    return figures;
}

struct Child {
    pid_t Pid = -1;
    int Output = -1;  // the child's stdout, read to its end by Reap
};

Child Spawn(std::vector<std::string> args)
{
    Child child;
    int out[2];
    if (pipe(out) != 0)
        return child;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    std::vector<char *> argv;
    for (std::string &arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    if (posix_spawn(&child.Pid, argv[0], &actions, nullptr, argv.data(), environ) != 0)
        child.Pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    child.Output = out[0];
    return child;
}

// Waits for the child; its CPU time, and its output's last line.
double Reap(const Child &child, std::string &lastLine)
{
    std::string text;
    char buffer[65536];
    for (ssize_t n; (n = read(child.Output, buffer, sizeof buffer)) > 0;) {
        text.append(buffer, std::size_t(n));
        // Only the tail is of interest; the states may run to megabytes.
        if (text.size() > 1 << 20)
            text.erase(0, text.size() - (1 << 16));
    }
    close(child.Output);
    int status = 0;
    rusage usage{};
    if (child.Pid < 0 || wait4(child.Pid, &status, 0, &usage) < 0 || !WIFEXITED(status))
        return -1;
    while (!text.empty() && text.back() == '\n')
        text.pop_back();
    lastLine = text.substr(text.rfind('\n') == std::string::npos ? 0 : text.rfind('\n') + 1);
    return CpuSeconds(usage);
}

// A field of /proc/PID/stat or /proc/PID/io.
std::string ProcField(pid_t pid, const char *file, const char *key)
{
    std::ifstream in("/proc/" + std::to_string(pid) + "/" + file);
    std::string line;
    while (std::getline(in, line))
        if (line.rfind(key, 0) == 0)
            return line.substr(std::strlen(key));
    return {};
}

// The tool has read the whole file once and sleeps between its polls: what
// is appended now is a growth, not part of the first load. Where the bytes
// read cannot be seen, sleeping alone tells it.
void AwaitFirstLoad(pid_t pid, qsizetype bytes)
{
    for (int tries = 0; tries < 6000; ++tries) {
        std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
        std::string text((std::istreambuf_iterator<char>(stat)), {});
        const std::size_t close = text.rfind(')');
        const char state = close != std::string::npos && close + 2 < text.size() ? text[close + 2] : '?';
        const std::string read = ProcField(pid, "io", "rchar: ");
        if (state == 'Z' || (state == 'S' && (read.empty() || std::stoll(read) >= bytes)))
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

struct ToolFigures {
    double LiveCpu = -1;
    double PlainCpu = -1;
    std::string LastState;  // the --live run's last line of output
};

// ostrel-inspect --live in a child, with the last 2 % appended by this
// process at 150 ms intervals (the tool polls every 50 ms), against
// ostrel-inspect on the whole file.
ToolFigures WatchWithTool(const QString &path, const QByteArray &script)
{
    ToolFigures figures;
    const std::string file = path.toStdString();
    std::string last;
    figures.PlainCpu = Reap(Spawn({OSTREL_INSPECT, file}), last);
    if (!WriteFile(path, script.left(script.size() * 98 / 100)))
        return figures;
    const Child live = Spawn({OSTREL_INSPECT, "--live", "--live-idle", "2", file});
    if (live.Pid < 0)
        return figures;
    AwaitFirstLoad(live.Pid, script.size() * 98 / 100);
    for (const QByteArray &piece : LastPiecesOf(script)) {
        Append(path, piece);
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
    }
    figures.LiveCpu = Reap(live, figures.LastState);
    return figures;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    const QString whole = dir.filePath("whole.ostrelScript");
    const QString growing = dir.filePath("growing.ostrelScript");
    const QByteArray script = TournamentGenerator::Generate(LargeInputs[1].Options);
    if (!WriteFile(whole, script))
        return 1;

    std::vector<double> loads;
    std::vector<double> loadCpus;
    for (int run = 0; run < 3; ++run) {
        ReplaySession session;
        double cpu = 0;
        loads.push_back(Seconds([&] { cpu = CpuSecondsOf([&] { session.OpenScript(whole); }); }));
        loadCpus.push_back(cpu);
    }
    const double load = Median(loads);
    const double loadCpu = Median(loadCpus);
    std::printf("input: 32767 entrants on 1000x200, %.2f MB; plain load %.1f ms (CPU %.1f ms), median of 3\n",
                script.size() / 1e6, load * 1e3, loadCpu * 1e3);

    constexpr int Turns = 15;
    const TurnFigures turn = TakeInTurns(growing, script, Turns);
    std::printf("one appended turn, following the live end: median %.2f ms, slowest %.2f ms of %d turns "
                "(median %.0f bytes), %.3f %% of the plain load; target <= 5 ms: %s%s\n",
                turn.MedianSeconds * 1e3, turn.SlowestSeconds * 1e3, Turns, turn.MedianBytes,
                100 * turn.MedianSeconds / load, turn.MedianSeconds <= 0.005 ? "met" : "MISSED",
                turn.Exact ? "" : " (a take-in missed its turn)");

    std::vector<WatchFigures> watches;
    for (int run = 0; run < 3; ++run)
        watches.push_back(WatchInProcess(growing, script));
    std::vector<double> watchCpus;
    bool everyByte = true;
    for (const WatchFigures &w : watches) {
        watchCpus.push_back(w.CpuSeconds);
        everyByte = everyByte && w.Whole;
    }
    const double watchCpu = Median(watchCpus);
    std::printf("session watching the last 2 %% grow in %d appends: CPU %.1f ms, %.2fx the plain load "
                "(median of 3); target <= 1.3x: %s; every byte taken in: %s\n",
                Appends, watchCpu * 1e3, watchCpu / loadCpu, watchCpu <= 1.3 * loadCpu ? "met" : "MISSED",
                everyByte ? "yes" : "NO");
    std::fflush(stdout);

    const ToolFigures tool = WatchWithTool(growing, script);
    const bool toolWhole = tool.LastState.rfind("grow " + std::to_string(script.size()) + ":", 0) == 0;
    std::printf("ostrel-inspect --live, the same growth: CPU %.1f ms against %.1f ms for ostrel-inspect FILE, "
                "%.2fx; target <= 1.3x: %s; last state at byte %lld: %s\n",
                tool.LiveCpu * 1e3, tool.PlainCpu * 1e3, tool.LiveCpu / tool.PlainCpu,
                tool.LiveCpu >= 0 && tool.LiveCpu <= 1.3 * tool.PlainCpu ? "met" : "MISSED",
                static_cast<long long>(script.size()), toolWhole ? "yes" : "NO");
    std::printf("wall ms are this process's; CPU is user + system of every thread (getrusage), the tool's "
                "measured by wait4 from its start to its exit; the tool polls every 50 ms and stops at the End line\n");
    return 0;
}
