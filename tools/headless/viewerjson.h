#pragma once

#include <QJsonObject>
#include <QString>

class ReplaySession;
struct ReplayModel;

// The JSON forms that ostrel-inspect prints; every text is decoded from
// Shift-JIS, every integer is printed as stored.
QJsonObject ModelToJson(const ReplayModel &model);
// One STATE: the action that led to it and what the viewer shows now; with
// playback, also the playback flag, the timer and the Enabled flags.
QJsonObject StateToJson(const ReplaySession &session, const QString &action, const QJsonValue &arg, bool result,
                        bool playback);
