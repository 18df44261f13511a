#pragma once

// Small builders for script files, and a load from bytes.

#include "replaymodel.h"
#include "scriptloader.h"

#include <QTemporaryFile>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

// A header that declares its 13 lines, with the given counts.
inline std::string Header(int entrants, int xsize = 8, int ysize = 6, int entrantLines = 6)
{
    return "HeaderLines: 13\n"
           "FileName: test.ostrelScript\n"
           "Version: 00.00.02\n"
           "ProgramVersion: 2.03\n"
           "DateTime: 2020/01/01 00:00:00\n"
           "Torvex: 1.0\n"
           "Stadium: Test\n"
           "Xsize: " + std::to_string(xsize) + "\n"
           "Ysize: " + std::to_string(ysize) + "\n"
           "Entrant: " + std::to_string(entrants) + "\n"
           "EntrantLines: " + std::to_string(entrantLines) + "\n"
           "MoveLines: 0\n"
           "FightLines: 0\n";
}

inline std::string EntrantBlock(const std::string &name, const std::string &emblem, int x, int y)
{
    return "Doller: " + name + "\nOwner: owner of " + name + "\nEmblem: " + emblem + "\nX: " + std::to_string(x)
        + "\nY: " + std::to_string(y) + "\nHitPoint: 1,2,3,4,5,6\n";
}

// A header and n complete entrant blocks, entrant i at (i, 0).
inline std::string Preamble(int n, int xsize = 8, int ysize = 6)
{
    std::string text = Header(n, xsize, ysize);
    for (int i = 0; i < n; ++i) {
        // Appended rather than "P" + ..., which GCC 12 warns about wrongly at -O2.
        std::string name = "P", emblem = "E";
        name += std::to_string(i);
        emblem += std::to_string(i);
        text += EntrantBlock(name, emblem, i % xsize, i / xsize);
    }
    return text;
}

// "Fight" plus both Status lines: a fight step of battle b between players p1 and p2.
inline std::string Fight(int battle, int p1, int p2, int lead = 0, int distance = 1)
{
    return "Fight: " + std::to_string(battle) + "," + std::to_string(lead) + "," + std::to_string(distance)
        + "\nStatus1: " + std::to_string(p1) + ",0,0,0,0,0,0\nStatus2: " + std::to_string(p2) + ",0,0,0,0,0,0\n";
}

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
