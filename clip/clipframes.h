#pragma once

#include <QImage>
#include <QRect>

#include <functional>

class QPainter;

namespace ostrel {

class ReplayCopy;

// Draws over a frame, in the scaled map's pixels, what the window shows
// over the map at a position (the follow marker and trail).
using FrameOverlay = std::function<void(QPainter &painter, int position)>;

// The frames of a clip: the map as the window shows it at a scale, or a part
// of it, at the positions a replay copy is moved to. Moving from one
// position to the next repaints only the tiles the step changed, so a frame
// costs what changes, not the size of the map; the pixels are those a whole
// repaint gives.
class ClipFrames {
public:
    // area: the part of the map at scale that a frame shows; null for all.
    ClipFrames(ReplayCopy &replay, double scale, QRect area, FrameOverlay overlay = {});
    ~ClipFrames();
    ClipFrames(const ClipFrames &) = delete;
    ClipFrames &operator=(const ClipFrames &) = delete;

    QSize FrameSize() const { return area_.size(); }
    // Moves the replay to position and returns the frame there.
    const QImage &At(int position);

private:
    void Repaint(const QRect &part);

    ReplayCopy &replay_;
    double scale_;
    QRect area_;
    FrameOverlay overlay_;
    QImage map_;      // the map alone
    QImage overlaid_; // with the overlay
    bool painted_ = false;
};

} // namespace ostrel
