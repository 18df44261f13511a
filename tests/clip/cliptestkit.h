#pragma once

// What the clip tests share: a small tournament whose labels reach into
// neighbouring cells, and the frames of a WebP or GIF clip decoded one per
// position.

#include <QImage>
#include <QString>

#include <string>
#include <vector>

namespace ostrel {

// Control characters draw wider than a cell: entrant 0's label reaches into
// the cell entrant 1 steps into and out of, and entrant 3's into the margin.
std::string SpillingTournament();

// The picture at each position of a clip decoded with libwebp's own decoder
// (or Qt's GIF reader), a frame shown for k * ms repeated k times; empty when
// the file cannot be read or a frame's time is no whole number of ms. A
// still picture (a clip whose frames are all alike) counts as one position.
std::vector<QImage> DecodeWebPPositions(const QString &path, int ms);
std::vector<QImage> DecodeGifPositions(const QString &path, int ms);

} // namespace ostrel
