#pragma once

#include <QImage>
#include <QSize>

#include <memory>

class QIODevice;

namespace ostrel {

// Turns the frames of a clip, one after another, into an animation written
// to a device. Each frame comes with the time it shows; a frame equal to the
// one before it is the caller's to merge.
class ClipEncoder {
public:
    virtual ~ClipEncoder() = default;
    // Adds the next frame (Format_RGB32, of the clip's size). False when the
    // encoder failed; nothing more may be added then.
    virtual bool Add(const QImage &frame, int durationMs) = 0;
    // Writes what remains of the clip. False when it could not.
    virtual bool Finish() = 0;
    // Whether every frame so far holds its pixels exactly.
    virtual bool Exact() const = 0;
};

// Lossless animated WebP. The whole clip is kept compressed until Finish.
std::unique_ptr<ClipEncoder> MakeWebPEncoder(QSize size, QIODevice &out);
// GIF with one palette of the map's colours: exact while the frames hold no
// other colours, otherwise each pixel takes the nearest. Written as it goes.
std::unique_ptr<ClipEncoder> MakeGifEncoder(QSize size, QIODevice &out);

} // namespace ostrel
