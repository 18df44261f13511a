#include "clipencoder.h"

#include <QIODevice>

#include <webp/encode.h>
#include <webp/mux.h>

#include <climits>

namespace ostrel {

namespace {

// Lossless throughout: mixed mode may pick lossy frames, and forced key
// frames only make the file larger, since every frame is encoded exactly
// either way.
class WebPEncoder final : public ClipEncoder {
public:
    WebPEncoder(QSize size, QIODevice &out) : out_(out)
    {
        WebPAnimEncoderOptions options;
        if (!WebPAnimEncoderOptionsInit(&options) || !WebPConfigInit(&config_))
            return;
        options.allow_mixed = 0;
        options.kmin = INT_MAX - 1;
        options.kmax = INT_MAX;
        config_.lossless = 1;
        config_.method = 4;
        if (WebPValidateConfig(&config_))
            encoder_ = WebPAnimEncoderNew(size.width(), size.height(), &options);
    }
    ~WebPEncoder() override
    {
        if (encoder_)
            WebPAnimEncoderDelete(encoder_);
    }
    WebPEncoder(const WebPEncoder &) = delete;
    WebPEncoder &operator=(const WebPEncoder &) = delete;

    bool Add(const QImage &frame, int durationMs) override
    {
        if (!encoder_)
            return false;
        // The encoder copies the frame, so it can read the image's own pixels:
        // RGB32 is the ARGB word order it works in.
        WebPPicture picture;
        if (!WebPPictureInit(&picture))
            return false;
        picture.use_argb = 1;
        picture.width = frame.width();
        picture.height = frame.height();
        picture.argb = const_cast<uint32_t *>(reinterpret_cast<const uint32_t *>(frame.constBits()));
        picture.argb_stride = int(frame.bytesPerLine() / 4);
        const bool added = WebPAnimEncoderAdd(encoder_, &picture, timestamp_, &config_);
        timestamp_ += durationMs;
        return added;
    }
    bool Finish() override
    {
        if (!encoder_ || !WebPAnimEncoderAdd(encoder_, nullptr, timestamp_, nullptr))
            return false;
        WebPData data;
        WebPDataInit(&data);
        bool written = WebPAnimEncoderAssemble(encoder_, &data) != 0;
        written = written && out_.write(reinterpret_cast<const char *>(data.bytes), qint64(data.size)) == qint64(data.size);
        WebPDataClear(&data);
        return written;
    }
    bool Exact() const override { return true; }

private:
    QIODevice &out_;
    WebPConfig config_;
    WebPAnimEncoder *encoder_ = nullptr;
    int timestamp_ = 0;
};

} // namespace

std::unique_ptr<ClipEncoder> MakeWebPEncoder(QSize size, QIODevice &out)
{
    return std::make_unique<WebPEncoder>(size, out);
}

} // namespace ostrel
