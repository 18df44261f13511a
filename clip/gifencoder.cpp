#include "clipencoder.h"

#include "arenagrid.h"

#include <QIODevice>

#include <gif_lib.h>

#include <algorithm>
#include <array>
#include <unordered_map>
#include <utility>
#include <vector>

namespace ostrel {

namespace {

// The colours the map is drawn in: the background, the grid lines, the
// highlight and the labels' colours, each of them exact in every GIF.
constexpr std::array<QRgb, 10> MapColours{
    ArenaGrid::MapBackgroundColor, ArenaGrid::GridLineColor, ArenaGrid::HighlightColor, 0xFFFFFFFF, 0xFFFFFF00,
    0xFF00FFFF, 0xFF00FF00, 0xFFFF00FF, 0xFFFF0000, 0xFF0000FF};
constexpr int PaletteSize = 256;

int WriteToDevice(GifFileType *gif, const GifByteType *bytes, int length)
{
    auto *out = static_cast<QIODevice *>(gif->UserData);
    return int(out->write(reinterpret_cast<const char *>(bytes), length));
}

int Distance(QRgb a, QRgb b)
{
    const int r = qRed(a) - qRed(b);
    const int g = qGreen(a) - qGreen(b);
    const int bl = qBlue(a) - qBlue(b);
    return r * r + g * g + bl * bl;
}

// The palette is fixed by the first frame: the map's colours, then the first
// frame's other colours, most frequent first. Each frame after the first is
// written as the rectangle in which it differs from the one before, over it.
class GifEncoder final : public ClipEncoder {
public:
    GifEncoder(QSize size, QIODevice &out) : size_(size)
    {
        int error = 0;
        gif_ = EGifOpen(&out, WriteToDevice, &error);
    }
    ~GifEncoder() override
    {
        if (gif_)
            EGifCloseFile(gif_, nullptr);
    }
    GifEncoder(const GifEncoder &) = delete;
    GifEncoder &operator=(const GifEncoder &) = delete;

    bool Add(const QImage &frame, int durationMs) override
    {
        if (!gif_ || failed_)
            return false;
        if (previous_.isNull() && !Start(frame))
            return Fail();
        QRect changed = previous_.isNull() ? frame.rect() : ChangedRect(frame);
        if (changed.isEmpty())
            changed = QRect(0, 0, 1, 1);  // a frame must hold a pixel
        // Delays are in hundredths: the rounding is carried on, so that the
        // clip's total time stays right.
        const int end = elapsedMs_ + durationMs;
        const int delay = (end + 5) / 10 - (elapsedMs_ + 5) / 10;
        elapsedMs_ = end;
        GraphicsControlBlock control{DISPOSE_DO_NOT, false, delay, NO_TRANSPARENT_COLOR};
        GifByteType extension[4];
        const std::size_t length = EGifGCBToExtension(&control, extension);
        if (EGifPutExtension(gif_, GRAPHICS_EXT_FUNC_CODE, int(length), extension) == GIF_ERROR
            || EGifPutImageDesc(gif_, changed.left(), changed.top(), changed.width(), changed.height(), false, nullptr)
                == GIF_ERROR)
            return Fail();
        std::vector<GifPixelType> line(std::size_t(changed.width()));
        for (int y = changed.top(); y <= changed.bottom(); ++y) {
            const QRgb *pixels = reinterpret_cast<const QRgb *>(frame.constScanLine(y));
            for (int x = changed.left(); x <= changed.right(); ++x)
                line[std::size_t(x - changed.left())] = IndexOf(pixels[x]);
            if (EGifPutLine(gif_, line.data(), changed.width()) == GIF_ERROR)
                return Fail();
        }
        previous_ = frame;
        return true;
    }
    bool Finish() override
    {
        if (!gif_ || failed_)
            return false;
        GifFileType *gif = std::exchange(gif_, nullptr);
        return EGifCloseFile(gif, nullptr) == GIF_OK;
    }
    bool Exact() const override { return exact_; }

private:
    bool Fail()
    {
        failed_ = true;
        return false;
    }

    bool Start(const QImage &frame)
    {
        std::unordered_map<QRgb, int> counts;
        for (int y = 0; y < frame.height(); ++y) {
            const QRgb *pixels = reinterpret_cast<const QRgb *>(frame.constScanLine(y));
            for (int x = 0; x < frame.width(); ++x)
                ++counts[pixels[x] | 0xFF000000];
        }
        for (QRgb colour : MapColours)
            counts.erase(colour);
        std::vector<std::pair<int, QRgb>> others;
        for (const auto &[colour, count] : counts)
            others.emplace_back(count, colour);
        std::sort(others.begin(), others.end(), [](const auto &a, const auto &b) {
            return a.first != b.first ? a.first > b.first : a.second < b.second;
        });
        palette_.assign(MapColours.begin(), MapColours.end());
        for (const auto &other : others) {
            if (palette_.size() == PaletteSize)
                break;
            palette_.push_back(other.second);
        }
        for (std::size_t i = 0; i < palette_.size(); ++i)
            indices_[palette_[i]] = GifPixelType(i);
        std::array<GifColorType, PaletteSize> colours{};
        for (std::size_t i = 0; i < palette_.size(); ++i)
            colours[i] = {GifByteType(qRed(palette_[i])), GifByteType(qGreen(palette_[i])), GifByteType(qBlue(palette_[i]))};
        ColorMapObject *map = GifMakeMapObject(PaletteSize, colours.data());
        if (!map)
            return false;
        EGifSetGifVersion(gif_, true);
        const bool started = EGifPutScreenDesc(gif_, size_.width(), size_.height(), 8, 0, map) != GIF_ERROR;
        GifFreeMapObject(map);
        // Played in a loop, as browsers play animated WebP.
        static const GifByteType loop[] = {1, 0, 0};
        return started && EGifPutExtensionLeader(gif_, APPLICATION_EXT_FUNC_CODE) != GIF_ERROR
            && EGifPutExtensionBlock(gif_, 11, "NETSCAPE2.0") != GIF_ERROR
            && EGifPutExtensionBlock(gif_, 3, loop) != GIF_ERROR && EGifPutExtensionTrailer(gif_) != GIF_ERROR;
    }

    GifPixelType IndexOf(QRgb colour)
    {
        colour |= 0xFF000000;
        const auto found = indices_.find(colour);
        if (found != indices_.end())
            return found->second;
        exact_ = false;
        std::size_t nearest = 0;
        for (std::size_t i = 1; i < palette_.size(); ++i) {
            if (Distance(palette_[i], colour) < Distance(palette_[nearest], colour))
                nearest = i;
        }
        // Remembered, but the colour stays outside the palette.
        return indices_[colour] = GifPixelType(nearest);
    }

    QRect ChangedRect(const QImage &frame) const
    {
        QRect changed;
        for (int y = 0; y < frame.height(); ++y) {
            const QRgb *now = reinterpret_cast<const QRgb *>(frame.constScanLine(y));
            const QRgb *before = reinterpret_cast<const QRgb *>(previous_.constScanLine(y));
            int left = 0;
            while (left < frame.width() && now[left] == before[left])
                ++left;
            if (left == frame.width())
                continue;
            int right = frame.width() - 1;
            while (now[right] == before[right])
                --right;
            changed |= QRect(left, y, right - left + 1, 1);
        }
        return changed;
    }

    QSize size_;
    GifFileType *gif_ = nullptr;
    std::vector<QRgb> palette_;
    std::unordered_map<QRgb, GifPixelType> indices_;
    QImage previous_;
    int elapsedMs_ = 0;
    bool exact_ = true;
    bool failed_ = false;
};

} // namespace

std::unique_ptr<ClipEncoder> MakeGifEncoder(QSize size, QIODevice &out)
{
    return std::make_unique<GifEncoder>(size, out);
}

} // namespace ostrel
