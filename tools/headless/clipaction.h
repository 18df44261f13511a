#pragma once

#include <QString>

#include <optional>

namespace ostrel {
class ReplaySession;
}

// The --clip action of ostrel-inspect: "A:B:OUT", split after the second
// colon so that OUT may hold colons of its own.
struct ClipSpec {
    qint64 First = 0;  // as given; clamped when the action runs
    qint64 Last = 0;
    QString Out;
};

struct ClipSettings {
    int Ms = 100;        // each position's time
    double Zoom = 100;   // percent
};

// The spec, or nullopt with why it is refused.
std::optional<ClipSpec> ParseClipSpec(const QString &value, QString &why);
// Why a --clip-ms or --clip-zoom value is refused; empty when taken.
QString ClipMsRejection(const QString &value);
QString ClipZoomRejection(const QString &value);

// Whether First > Last once both are clamped into the session's range.
bool ClipRangeEmpty(const ostrel::ReplaySession &session, const ClipSpec &spec);
// Writes the clip from where the session's replay stands, leaving it there;
// true when OUT was written. Says on stderr why not, or that a GIF is not
// exact.
bool WriteClip(const ostrel::ReplaySession &session, const ClipSpec &spec, const ClipSettings &settings);
