#include "programoptions.h"

#include "commandline.h"
#include "versiondata.h"
#include "versioninfo.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringList>

namespace ostrel {

std::optional<int> AnswerInformationOptions(int &argc, char **argv)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Plays back a battle-royale tournament recorded in an ostrelScript file.\n"
                       "Every argument that starts with '-' is an option; after '--' the argument\n"
                       "names the file, also one whose name starts with '-'."));
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("The ostrelScript file to open."),
                                 QStringLiteral("[file]"));
    parser.addOption(QCommandLineOption(QLatin1String(PositionOption),
                                        QStringLiteral("Show position P of the file: 0 is the start, the slider's "
                                                       "maximum the end; values outside are clamped into them."),
                                        QStringLiteral("P")));
    parser.addOption(QCommandLineOption(QLatin1String(FollowOption),
                                        QStringLiteral("Follow entrant N of the file (from 0); an N outside the "
                                                       "entrant table follows nobody."),
                                        QStringLiteral("N")));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();

    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    // Other options are no error here: the start-up refuses them.
    parser.parse(arguments);
    if (!parser.isSet(help) && !parser.isSet(QStringLiteral("help-all")) && !parser.isSet(version))
        return std::nullopt;

    // The texts name the program as it was started; no window system needed.
    QCoreApplication core(argc, argv);
    QCoreApplication::setApplicationVersion(VersionInfo(OSTREL_VERSION_FILE).GetFileVersion().value_or(QString()));
    // Prints the text asked for and ends the program.
    parser.process(core);
    return 0;
}

} // namespace ostrel
