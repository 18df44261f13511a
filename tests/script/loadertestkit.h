#pragma once

// A load from bytes, of script text built with the shared kit.

#include "replaymodel.h"
#include "scripttext.h"
#include "scriptloader.h"

#include <QTemporaryFile>

#include <functional>
#include <stdexcept>
#include <string>

namespace ostrel {

struct LoadOutcome {
    bool loaded = false;
    LoadResult result;
};

// Writes bytes to a temporary file and loads it into model.
inline LoadOutcome LoadBytes(ReplayModel &model, const std::string &bytes,
                             const std::function<void()> &entrantsRead = {})
{
    QTemporaryFile file;
    if (!file.open())
        throw std::runtime_error("cannot write a temporary file");
    file.write(bytes.data(), qint64(bytes.size()));
    file.close();
    const ScriptFile script = OpenScriptFile(file.fileName());
    if (!script)
        throw std::runtime_error("cannot read a temporary file");
    LoadOutcome outcome;
    outcome.result = ScriptLoader(model).Read(script.get(), entrantsRead);
    outcome.loaded = outcome.result.Succeeded();
    return outcome;
}

} // namespace ostrel
