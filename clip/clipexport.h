#pragma once

#include "clipframes.h"

#include <QRect>
#include <QSize>
#include <QString>

#include <functional>
#include <optional>

namespace ostrel {

class ReplayCopy;
struct ReplayModel;

enum class ClipFormat { WebP, Gif };

// What a clip shows: positions First to Last, each for MsPerPosition, the
// map at Scale (1: pixel for pixel) or the part Area of it (in the scaled
// map's pixels; null for all of it), with an overlay or none.
struct ClipRequest {
    int First = 0;
    int Last = 0;
    int MsPerPosition = 100;
    double Scale = 1.0;
    QRect Area;
    ClipFormat Format = ClipFormat::WebP;
    FrameOverlay Overlay;
};

// The largest side a format holds, in pixels.
int LargestSide(ClipFormat format);
// The format a file name's suffix asks for (.webp or .gif, in any case).
std::optional<ClipFormat> ClipFormatOf(const QString &path);
// The size of each frame of the request on a map of mapSize.
QSize ClipFrameSize(const ClipRequest &request, QSize mapSize);

struct ClipOutcome {
    enum Status { Written, TooLarge, NoRange, Cancelled, WriteFailed, EncodeFailed };
    Status Result = Written;
    bool Exact = true;  // every frame holds its pixels exactly
    int Frames = 0;     // frames written, after merging equal neighbours
    QString Detail;     // the file error, when writing failed
};

// Why a request cannot be made at all, before any frame: TooLarge, NoRange,
// or Written when it can.
ClipOutcome::Status CheckClip(const ClipRequest &request, QSize mapSize);

// About how many bytes the clip will take, from the cells the steps in its
// range change: for a live estimate, not a promise.
qint64 EstimateClipBytes(const ReplayModel &model, const ClipRequest &request, QSize mapSize);

// Called after each position with the positions done and their number;
// returning false cancels the export.
using ClipProgress = std::function<bool(int done, int total)>;

// Moves replay from where it stands to First, then one position at a time to
// Last, and writes each position's frame to path. The file is written under
// a temporary name and takes path's name only when complete: a refused,
// cancelled or failed export leaves nothing behind. Equal consecutive frames
// become one frame of their summed time (a WebP clip
// of a single picture is a still image, which keeps no time). Memory stays the frames in hand and
// the encoder's output, whatever the number of positions.
ClipOutcome ExportClip(ReplayCopy &replay, const ClipRequest &request, const QString &path,
                       const ClipProgress &progress = {});

} // namespace ostrel
