#pragma once

// The tournaments the benchmarks measure, and writing one to a file.

#include "tournamentgenerator.h"

#include <QDir>
#include <QFile>
#include <QString>

namespace ostrel {

struct BenchInput {
    const char *Name;
    TournamentOptions Options;
};

// The largest tournaments the format allows: the 19.3 MB one on a square
// arena and the 25.6 MB one on the widest.
inline const BenchInput LargeInputs[] = {
    {"32000 on 250x250", {1, 32000, 250, 250, 32767, false}},
    {"32767 on 1000x200", {1, 32767, 1000, 200, 32767, false}},
};

// Generates the input into a file of dir named after it; empty when the
// file cannot be written.
inline QString WriteInput(const QDir &dir, const BenchInput &input)
{
    const QString path = dir.filePath(QString::fromLatin1(input.Name).replace(QLatin1Char(' '), QLatin1Char('_')));
    const QByteArray script = TournamentGenerator::Generate(input.Options);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(script) != script.size())
        return {};
    return path;
}

} // namespace ostrel
