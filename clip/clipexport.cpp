#include "clipexport.h"

#include "clipencoder.h"
#include "replaycopy.h"
#include "replaymodel.h"
#include "scaledmap.h"

#include <QSaveFile>

#include <algorithm>

namespace ostrel {

int LargestSide(ClipFormat format)
{
    return format == ClipFormat::WebP ? 16383 : 65535;
}

std::optional<ClipFormat> ClipFormatOf(const QString &path)
{
    if (path.endsWith(QLatin1String(".webp"), Qt::CaseInsensitive))
        return ClipFormat::WebP;
    if (path.endsWith(QLatin1String(".gif"), Qt::CaseInsensitive))
        return ClipFormat::Gif;
    return std::nullopt;
}

QSize ClipFrameSize(const ClipRequest &request, QSize mapSize)
{
    const QRect whole(QPoint(0, 0), request.Scale == 1.0 ? mapSize : ScaledMapSize(mapSize, request.Scale));
    return (request.Area.isNull() ? whole : request.Area & whole).size();
}

ClipOutcome::Status CheckClip(const ClipRequest &request, QSize mapSize)
{
    if (request.First > request.Last || request.First < 0)
        return ClipOutcome::NoRange;
    const QSize size = ClipFrameSize(request, mapSize);
    const int largest = LargestSide(request.Format);
    if (size.isEmpty() || size.width() > largest || size.height() > largest)
        return ClipOutcome::TooLarge;
    return ClipOutcome::Written;
}

// Measured on generated tournaments: a first frame of mostly empty cells
// compresses to a few bytes per hundred pixels, and each changed cell costs a
// hundred bytes or so at 100 %, less as the scale shrinks its pixels. GIF
// stores changes as whole rectangles with less packing.
qint64 EstimateClipBytes(const ReplayModel &model, const ClipRequest &request, QSize mapSize)
{
    const QSize frame = ClipFrameSize(request, mapSize);
    const bool gif = request.Format == ClipFormat::Gif;
    double changedCells = 0;
    const int last = std::min<int>(request.Last, int(model.Steps.size()));
    for (int k = std::max(1, request.First + 1); k <= last; ++k) {
        const ReplayStep &step = model.Steps[std::size_t(k - 1)];
        changedCells += step.IsFight() ? 2 : step.Move ? 2.0 * double(step.Move->Deltas.size()) : 0;
    }
    const double cellBytes = 120 * std::max(request.Scale * request.Scale, 0.05);
    const double bytes = double(frame.width()) * frame.height() * (gif ? 0.3 : 0.02) + changedCells * cellBytes * (gif ? 2.5 : 1);
    return qint64(bytes);
}

ClipOutcome ExportClip(ReplayCopy &replay, const ClipRequest &request, const QString &path,
                       const ClipProgress &progress)
{
    ClipOutcome outcome;
    outcome.Result = CheckClip(request, replay.Grid().MapSize());
    if (outcome.Result != ClipOutcome::Written)
        return outcome;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        outcome.Result = ClipOutcome::WriteFailed;
        outcome.Detail = file.errorString();
        return outcome;
    }
    ClipFrames frames(replay, request.Scale, request.Area, request.Overlay);
    const std::unique_ptr<ClipEncoder> encoder = request.Format == ClipFormat::WebP
        ? MakeWebPEncoder(frames.FrameSize(), file)
        : MakeGifEncoder(frames.FrameSize(), file);
    const auto fail = [&](ClipOutcome::Status status) {
        file.cancelWriting();
        outcome.Result = status;
        outcome.Detail = file.errorString();
        return outcome;
    };
    // A frame is held until the next one differs, so that a run of equal
    // frames goes to the encoder once with its summed time.
    QImage held;
    int heldMs = 0;
    const int total = request.Last - request.First + 1;
    for (int position = request.First; position <= request.Last; ++position) {
        const QImage &frame = frames.At(position);
        if (!held.isNull() && frame == held) {
            heldMs += request.MsPerPosition;
        } else {
            if (!held.isNull() && !encoder->Add(held, heldMs))
                return fail(ClipOutcome::EncodeFailed);
            outcome.Frames += !held.isNull();
            held = frame;
            heldMs = request.MsPerPosition;
        }
        if (progress && !progress(position - request.First + 1, total))
            return fail(ClipOutcome::Cancelled);
    }
    if (!encoder->Add(held, heldMs) || !encoder->Finish())
        return fail(ClipOutcome::EncodeFailed);
    ++outcome.Frames;
    outcome.Exact = encoder->Exact();
    if (!file.commit())
        return fail(ClipOutcome::WriteFailed);
    return outcome;
}

} // namespace ostrel
