#include "cliptestkit.h"

#include "scripttext.h"

#include <QFile>
#include <QImageReader>

#include <webp/demux.h>

namespace ostrel {

std::string SpillingTournament()
{
    return ScriptBuilder(6, 3)
        .Entrant("\x01\x01", 0, 0).Entrant("AB", 1, 1).Entrant("CD", 3, 0).Entrant("\x02\x02", 5, 2)
        .Turn().Move(1, 0, -1)
        .Turn().Fight(1).Player(0, 0, 60).Player(1, 1, 90)
        .Turn().Fight(1).Player(0, 0, 40).Player(1, 1, 70).Result(-1, 0).Move(1, 1, 0)
        .Turn().Move(1, 0, 1).Move(3, -1, 0)
        .Turn().Fight(2).Player(0, 0, 30).Player(1, 2, 0).Result(0, 8)
        .Turn().Move(0, 1, 0)
        .Turn().Move(0, -1, 0)
        .Turn().Fight(3, 1).Player(0, 3, 20).Player(1, 1, 10).Result(2, 16)
        .Text();
}

namespace {

void Repeat(std::vector<QImage> &positions, const QImage &frame, int duration, int ms)
{
    if (duration <= 0 || duration % ms != 0) {
        positions.clear();
        return;
    }
    positions.insert(positions.end(), std::size_t(duration / ms), frame);
}

} // namespace

std::vector<QImage> DecodeWebPPositions(const QString &path, int ms)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    const WebPData data{reinterpret_cast<const uint8_t *>(bytes.constData()), std::size_t(bytes.size())};
    WebPAnimDecoderOptions options;
    WebPAnimDecoderOptionsInit(&options);
    options.color_mode = MODE_BGRA;  // the byte order of Format_ARGB32 here
    WebPAnimDecoder *decoder = WebPAnimDecoderNew(&data, &options);
    if (!decoder)
        return {};
    WebPAnimInfo info;
    WebPAnimDecoderGetInfo(decoder, &info);
    // Each frame comes with the time at which it ends.
    std::vector<QImage> positions;
    int previous = 0;
    uint8_t *pixels = nullptr;
    int timestamp = 0;
    while (WebPAnimDecoderHasMoreFrames(decoder) && WebPAnimDecoderGetNext(decoder, &pixels, &timestamp)) {
        const QImage frame(pixels, int(info.canvas_width), int(info.canvas_height), QImage::Format_ARGB32);
        // A still picture has no time: it counts as one position.
        const int duration = info.frame_count == 1 && timestamp == 0 ? ms : timestamp - previous;
        Repeat(positions, frame.convertToFormat(QImage::Format_RGB32), duration, ms);
        previous = timestamp;
        if (positions.empty())
            break;
    }
    WebPAnimDecoderDelete(decoder);
    return positions;
}

std::vector<QImage> DecodeGifPositions(const QString &path, int ms)
{
    QImageReader reader(path, "gif");
    std::vector<QImage> positions;
    QImage frame;
    while (reader.read(&frame)) {
        Repeat(positions, frame.convertToFormat(QImage::Format_RGB32), reader.nextImageDelay(), ms);
        if (positions.empty())
            return {};
    }
    return positions;
}

} // namespace ostrel
