#include "clipaction.h"

#include "replaysession.h"

#ifdef OSTREL_HAS_CLIP
#include "clipexport.h"
#include "replaycopy.h"
#endif

#include <QRegularExpression>

#include <algorithm>
#include <cstdio>

using namespace ostrel;

namespace {

// A decimal of any length: beyond what 64 bits hold it is clamped anyway.
std::optional<qint64> Decimal(const QString &text)
{
    if (!QRegularExpression(QStringLiteral("^[+-]?[0-9]+$")).match(text).hasMatch())
        return std::nullopt;
    bool ok = false;
    const qint64 value = text.toLongLong(&ok);
    if (ok)
        return value;
    return text.startsWith(QLatin1Char('-')) ? INT64_MIN : INT64_MAX;
}

int Clamped(const ReplaySession &session, qint64 position)
{
    return int(std::clamp<qint64>(position, 0, session.SliderMax()));
}

} // namespace

std::optional<ClipSpec> ParseClipSpec(const QString &value, QString &why)
{
    const int first = value.indexOf(QLatin1Char(':'));
    const int second = first < 0 ? -1 : value.indexOf(QLatin1Char(':'), first + 1);
    if (second < 0) {
        why = QStringLiteral("not A:B:OUT");
        return std::nullopt;
    }
    const std::optional<qint64> a = Decimal(value.left(first));
    const std::optional<qint64> b = Decimal(value.mid(first + 1, second - first - 1));
    const QString out = value.mid(second + 1);
    if (!a || !b) {
        why = QStringLiteral("A and B must be integers");
        return std::nullopt;
    }
#ifdef OSTREL_HAS_CLIP
    if (!ClipFormatOf(out)) {
        why = QStringLiteral("OUT must end in .webp or .gif");
        return std::nullopt;
    }
#endif
    return ClipSpec{*a, *b, out};
}

QString ClipMsRejection(const QString &value)
{
    const std::optional<qint64> ms = Decimal(value);
    return ms && *ms >= 1 && *ms <= 600000 ? QString() : QStringLiteral("not a time from 1 to 600000 ms");
}

QString ClipZoomRejection(const QString &value)
{
    bool ok = false;
    const double zoom = value.toDouble(&ok);
    return ok && zoom > 0 && zoom <= 400 ? QString() : QStringLiteral("not a percentage above 0 and up to 400");
}

bool ClipRangeEmpty(const ReplaySession &session, const ClipSpec &spec)
{
    return Clamped(session, spec.First) > Clamped(session, spec.Last);
}

#ifdef OSTREL_HAS_CLIP
bool WriteClip(const ReplaySession &session, const ClipSpec &spec, const ClipSettings &settings)
{
    if (!session.Grid().IsDrawn()) {
        std::fprintf(stderr, "ostrel-inspect: --clip: no map to make a clip of\n");
        return false;
    }
    ClipRequest request;
    request.First = Clamped(session, spec.First);
    request.Last = Clamped(session, spec.Last);
    request.MsPerPosition = settings.Ms;
    request.Scale = settings.Zoom / 100;
    request.Format = *ClipFormatOf(spec.Out);
    const std::unique_ptr<ReplayCopy> replay = ReplayCopy::Of(session);
    const ClipOutcome outcome = ExportClip(*replay, request, spec.Out);
    const QByteArray out = spec.Out.toLocal8Bit();
    switch (outcome.Result) {
    case ClipOutcome::Written:
        if (!outcome.Exact)
            std::fprintf(stderr, "ostrel-inspect: %s: more colours than a GIF holds; nearest colours used\n",
                         out.constData());
        return true;
    case ClipOutcome::TooLarge: {
        const QSize size = ClipFrameSize(request, session.Grid().MapSize());
        std::fprintf(stderr, "ostrel-inspect: %s: frames of %d x %d pixels: the format holds at most %d a side\n",
                     out.constData(), size.width(), size.height(), LargestSide(request.Format));
        return false;
    }
    default:
        std::fprintf(stderr, "ostrel-inspect: %s: not written: %s\n", out.constData(),
                     qPrintable(outcome.Detail.isEmpty() ? QStringLiteral("encoding failed") : outcome.Detail));
        return false;
    }
}
#else
bool WriteClip(const ReplaySession &, const ClipSpec &, const ClipSettings &)
{
    std::fprintf(stderr, "ostrel-inspect: --clip: this build cannot write clips\n");
    return false;
}
#endif
