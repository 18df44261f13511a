#pragma once

// Script text loaded as the program loads it, into a model or a replay
// session, and the entrant fields that follow the replay position.

#include "replaymodel.h"
#include "replaysession.h"
#include "scriptloader.h"

#include <QString>
#include <QTemporaryDir>

#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace ostrel {

// Script files in a folder of their own that goes with the object; plain
// files, which unlike a temporary file object can be removed and renamed
// over on every system.
class ScriptFolder {
public:
    // Writes bytes as the file name and returns its path; empty when the file
    // cannot be written.
    QString Write(const QString &name, const std::string &bytes) const;
    QString Path(const QString &name) const { return dir_.filePath(name); }

private:
    QTemporaryDir dir_;
};

// The model that the loader reads from script text.
ReplayModel LoadModel(const std::string &script);
// What the Open button does with script text; the loader's result.
LoadResult OpenScript(ReplaySession &session, const std::string &script);
// A new session that has opened script text without a message.
std::unique_ptr<ReplaySession> OpenSession(const std::string &script);

// The four fields of an entrant that follow the replay position.
struct EntrantState {
    int32_t X = 0;
    int32_t Y = 0;
    int32_t HitPointRate = 0;
    int32_t Status = 0;
    bool operator==(const EntrantState &) const = default;
};
std::ostream &operator<<(std::ostream &out, const EntrantState &state);
std::vector<EntrantState> StatesOf(const std::vector<Entrant> &entrants);

} // namespace ostrel
