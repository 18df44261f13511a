#pragma once

#include <QJsonObject>
#include <QString>

class HeadlessViewer;
struct ReplayModel;

// The JSON forms that ostrel-inspect prints; every text is decoded from
// Shift-JIS, every integer is printed as stored.
QJsonObject ModelToJson(const ReplayModel &model);
// One STATE: the action that led to it and what the viewer shows now.
QJsonObject StateToJson(const HeadlessViewer &viewer, const QString &action, const QJsonValue &arg, bool result);
