// Clips on one core: frames a second and the export's own peak memory, for
// 300 positions at 100 % on a 20 x 20 arena and at the zoom that makes the
// 250 x 250 arena 1,920 pixels wide, beside 100 positions of the same, so
// that growth with the number of frames shows. WebP and GIF side by side.

#include "benchinputs.h"
#include "clipexport.h"
#include "replaycopy.h"
#include "replaysession.h"
#include "stopwatch.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstdio>
#include <fstream>
#include <string>

using namespace ostrel;

namespace {

// A figure of /proc/self/status, in kB.
long StatusKb(const char *key)
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind(key, 0) == 0)
            return std::stol(line.substr(std::string(key).size()));
    }
    return -1;
}

// Starts a new peak: from here VmHWM counts only what follows.
void ResetPeak()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    const struct {
        const char *Name;
        TournamentOptions Options;
        int Width;  // of the frames; 0 for 100 %
    } inputs[] = {
        {"150 on 20x20, 100%", {1, 150, 20, 20, 32767, false}, 0},
        {"32000 on 250x250, 1920px", {1, 32000, 250, 250, 32767, false}, 1920},
    };
    std::printf("%-26s %-5s %6s %9s %9s %10s %12s\n", "input", "fmt", "frames", "fps", "size kB", "base MB",
                "peak +MB");
    for (const auto &input : inputs) {
        const QString script = WriteInput(dir.path(), {input.Name, input.Options});
        if (script.isEmpty())
            return 1;
        ReplaySession session;
        session.OpenScript(script);
        if (!session.HasTournament())
            return 1;
        // From the middle of the tournament, where the arena is busy.
        const int first = std::max(0, session.SliderMax() / 2 - 150);
        session.MoveSlider(first);
        for (const ClipFormat format : {ClipFormat::WebP, ClipFormat::Gif}) {
            for (const int positions : {100, 300}) {
                ClipRequest request;
                request.First = first;
                request.Last = std::min(first + positions - 1, session.SliderMax());
                request.Format = format;
                request.Scale = input.Width ? double(input.Width) / session.Grid().MapSize().width() : 1.0;
                const QString out = dir.filePath(format == ClipFormat::WebP ? "clip.webp" : "clip.gif");
                auto copy = ReplayCopy::Of(session);
                const long base = StatusKb("VmRSS:");
                ResetPeak();
                ClipOutcome outcome;
                const double seconds = Seconds([&] { outcome = ExportClip(*copy, request, out); });
                const long peak = StatusKb("VmHWM:");
                if (outcome.Result != ClipOutcome::Written)
                    return 1;
                const int frames = request.Last - request.First + 1;
                std::printf("%-26s %-5s %6d %9.1f %9.0f %10.0f %12.1f\n", input.Name,
                            format == ClipFormat::WebP ? "webp" : "gif", frames, frames / seconds,
                            double(QFileInfo(out).size()) / 1000, double(base) / 1000, double(peak - base) / 1000);
                std::fflush(stdout);
            }
        }
    }
    return 0;
}
