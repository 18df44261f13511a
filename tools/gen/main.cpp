// ostrel-gen: writes a synthetic battle-royale tournament as a script file,
// to try the viewer on and to measure it with; or plays a script file into
// another one at a rate, as a game writing it would (--trickle).

#include "scripttrickle.h"
#include "tournamentgenerator.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QThread>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <optional>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

using namespace ostrel;

namespace {

// sysexits.h values, spelt out for platforms without that header.
constexpr int ExitUsage = 64;
constexpr int ExitNoInput = 66;
constexpr int ExitCannotCreate = 73;

int Fail(int code, const QString &message)
{
    std::fprintf(stderr, "ostrel-gen: %s\n", qPrintable(message));
    return code;
}

// Counts beyond int are clamped rather than refused here, so that
// CheckOptions words the complaint about their range.
std::optional<int> ParseCount(const QString &text)
{
    bool ok = false;
    const qlonglong value = text.toLongLong(&ok);
    if (!ok)
        return std::nullopt;
    return int(std::clamp<qlonglong>(value, INT_MIN, INT_MAX));
}

// Writes to path, or to standard output for an empty path; the error text
// when that fails.
QString WriteAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
#ifdef _WIN32
    // The script's bytes as written: no CR added before each LF.
    if (path.isEmpty())
        _setmode(_fileno(stdout), _O_BINARY);
#endif
    const bool opened = path.isEmpty() ? file.open(stdout, QIODevice::WriteOnly) : file.open(QIODevice::WriteOnly);
    if (opened && file.write(bytes) == bytes.size() && file.flush())
        return {};
    return QStringLiteral("cannot write %1: %2")
        .arg(path.isEmpty() ? QStringLiteral("standard output") : path, file.errorString());
}

// Writes src into dst chunk by chunk at the rate, cut anywhere; dst is
// emptied first, so a reader watching it sees it start from nothing.
int Trickle(const QString &src, const QString &dst, double linesPerSecond, std::uint64_t seed)
{
    QFile in(src);
    if (!in.open(QIODevice::ReadOnly))
        return Fail(ExitNoInput, QStringLiteral("cannot read %1: %2").arg(src, in.errorString()));
    const QByteArray bytes = in.readAll();
    QFile out(dst);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return Fail(ExitCannotCreate, QStringLiteral("cannot write %1: %2").arg(dst, out.errorString()));
    const int tickMs = TrickleTickMs(linesPerSecond);
    qsizetype written = 0;
    for (const qsizetype cut : TrickleCuts(bytes, linesPerSecond * tickMs / 1000.0, seed)) {
        QThread::msleep(static_cast<unsigned long>(tickMs));
        const qsizetype count = cut - written;
        if (out.write(bytes.constData() + written, count) != count || !out.flush())
            return Fail(ExitCannotCreate, QStringLiteral("cannot write %1: %2").arg(dst, out.errorString()));
        written = cut;
    }
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("ostrel-gen"));

    const TournamentOptions defaults;
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Writes a synthetic battle-royale tournament as an .ostrelScript file "
                       "(Shift-JIS). The same options always give the same file."));
    const QCommandLineOption helpOption = parser.addHelpOption();
    const QCommandLineOption seedOption(QStringLiteral("seed"), QStringLiteral("Seed of the tournament (default %1).").arg(defaults.Seed),
                                        QStringLiteral("N"), QString::number(defaults.Seed));
    const QCommandLineOption entrantsOption(QStringLiteral("entrants"), QStringLiteral("Number of entrants (default %1).").arg(defaults.Entrants),
                                            QStringLiteral("N"), QString::number(defaults.Entrants));
    const QCommandLineOption widthOption(QStringLiteral("width"), QStringLiteral("Columns of the arena (default %1).").arg(defaults.Width),
                                         QStringLiteral("W"), QString::number(defaults.Width));
    const QCommandLineOption heightOption(QStringLiteral("height"), QStringLiteral("Rows of the arena (default %1).").arg(defaults.Height),
                                          QStringLiteral("H"), QString::number(defaults.Height));
    const QCommandLineOption maxTurnsOption(QStringLiteral("max-turns"),
                                            QStringLiteral("Stop after this many turns at the latest (default %1).").arg(defaults.MaxTurns),
                                            QStringLiteral("T"), QString::number(defaults.MaxTurns));
    const QCommandLineOption crlfOption(QStringLiteral("crlf"),
                                        QStringLiteral("End lines with CR LF instead of LF."));
    const QCommandLineOption outputOption(QStringList{QStringLiteral("o"), QStringLiteral("output")},
                                          QStringLiteral("Write to FILE instead of standard output."),
                                          QStringLiteral("FILE"));
    const QCommandLineOption trickleOption(
        QStringLiteral("trickle"),
        QStringLiteral("Instead of generating, write the script file SRC into DST (emptied first) chunk by chunk "
                       "at --lines-per-second, cutting the chunks at random bytes (--seed), as a game writing "
                       "it would. Arguments: SRC DST."));
    const QCommandLineOption rateOption(QStringLiteral("lines-per-second"),
                                        QStringLiteral("With --trickle, the lines written per second (default 200)."),
                                        QStringLiteral("N"), QStringLiteral("200"));
    parser.addOptions({seedOption, entrantsOption, widthOption, heightOption, maxTurnsOption, crlfOption,
                       outputOption, trickleOption, rateOption});

    if (!parser.parse(QCoreApplication::arguments()))
        return Fail(ExitUsage, parser.errorText());
    if (parser.isSet(helpOption))
        parser.showHelp(0);
    TournamentOptions options;
    bool seedOk = false;
    options.Seed = parser.value(seedOption).toULongLong(&seedOk);
    if (!seedOk)
        return Fail(ExitUsage, QStringLiteral("--seed needs a whole number from 0 to 2^64 - 1, not '%1'")
                                   .arg(parser.value(seedOption)));
    if (parser.isSet(trickleOption)) {
        const QStringList files = parser.positionalArguments();
        if (files.size() != 2)
            return Fail(ExitUsage, QStringLiteral("--trickle needs two arguments: SRC DST"));
        bool rateOk = false;
        const double rate = parser.value(rateOption).toDouble(&rateOk);
        if (!rateOk || !(rate > 0) || rate > 1e9)
            return Fail(ExitUsage, QStringLiteral("--lines-per-second needs a number above 0, not '%1'")
                                       .arg(parser.value(rateOption)));
        return Trickle(files[0], files[1], rate, options.Seed);
    }
    if (parser.isSet(rateOption))
        return Fail(ExitUsage, QStringLiteral("--lines-per-second needs --trickle"));
    if (!parser.positionalArguments().isEmpty())
        return Fail(ExitUsage, QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments().first()));

    options.CrLf = parser.isSet(crlfOption);
    const std::pair<const QCommandLineOption *, int *> counts[] = {
        {&entrantsOption, &options.Entrants},
        {&widthOption, &options.Width},
        {&heightOption, &options.Height},
        {&maxTurnsOption, &options.MaxTurns},
    };
    for (const auto &[option, field] : counts) {
        const std::optional<int> value = ParseCount(parser.value(*option));
        if (!value)
            return Fail(ExitUsage, QStringLiteral("--%1 needs a whole number, not '%2'")
                                       .arg(option->names().first(), parser.value(*option)));
        *field = *value;
    }
    const QString problem = TournamentGenerator::CheckOptions(options);
    if (!problem.isEmpty())
        return Fail(ExitUsage, problem);

    const QString error = WriteAll(parser.value(outputOption), TournamentGenerator::Generate(options));
    if (!error.isEmpty())
        return Fail(ExitCannotCreate, error);
    return 0;
}
