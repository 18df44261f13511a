#pragma once

#include <QJsonObject>
#include <QJsonArray>
#include <QString>

#include <QStringList>

namespace ostrel {

class ReplaySession;
struct ReplayModel;

// The JSON forms that ostrel-inspect prints; every text is decoded from
// Shift-JIS, every integer is printed as stored.
QJsonObject ModelToJson(const ReplayModel &model);
// One STATE: the action that led to it and what the viewer shows now; with
// playback, also the playback flag, the timer and the Enabled flags.
QJsonObject StateToJson(const ReplaySession &session, const QString &action, const QJsonValue &arg, bool result,
                        bool playback);

// The whole-tournament views, from the session's index of its load:
// "found", one {"text", "entrants"} per text; "followed", one history (or
// null for an index outside the entrant table) per entrant; "timeline",
// {"alive", "battle"} per position.
QJsonArray FoundToJson(const ReplaySession &session, const QStringList &texts);
QJsonArray FollowedToJson(const ReplaySession &session, const QList<int> &entrants);
QJsonObject TimelineToJson(const ReplaySession &session);

} // namespace ostrel
