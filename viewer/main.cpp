// The viewer's entry: the application, its main window and the event loop.

#include "applicationerror.h"
#include "commandline.h"
#include "fontfaces.h"
#include "programoptions.h"
#include "qttranslations.h"
#include "tformview.h"

#include <cstdio>
#include <exception>
#include <optional>

#ifdef _WIN32
#include <windows.h>
#endif

using namespace ostrel;

namespace {

// The exit code of a command line that is refused, as the tools use it.
constexpr int UsageErrorExitCode = 64;

// The arguments as the viewer reads them: on Windows split from the raw
// command line by the viewer's own rules; elsewhere the shell has split them.
QStringList ProgramArguments()
{
#ifdef _WIN32
    return SplitCommandLine(QString::fromWCharArray(GetCommandLineW()));
#else
    return QCoreApplication::arguments();
#endif
}

// A command line the start-up refuses: named as the information options
// would be, before any window exists.
int RefuseArguments(const QString &error)
{
    const QString message =
        QStringLiteral("ostrel-view: %1\nTry 'ostrel-view --help' for more information.").arg(error);
#ifdef _WIN32
    // A windowed program has no console to write to.
    ShowApplicationError(message);
#else
    std::fprintf(stderr, "%s\n", qPrintable(message));
#endif
    return UsageErrorExitCode;
}

} // namespace

int main(int argc, char *argv[])
{
    if (const std::optional<int> exitCode = AnswerInformationOptions(argc, argv))
        return *exitCode;
    QGuiApplication::setDesktopFileName(QStringLiteral("com.brimwold.OstrelView"));
    ViewerApplication app(argc, argv);
    // The title stays out of the application's display name, which Qt would
    // append to the window's own caption.
    try {
        InstallFontSubstitutions();
        InstallQtTranslations(QtTranslationFolders());
        const ParsedStartup startup = ParseStartupArguments(ProgramArguments());
        if (!startup.Accepted)
            return RefuseArguments(startup.Error);
        TFormView formView(*startup.Accepted);
        formView.show();
        app.exec();
    } catch (const std::exception &error) {
        ShowApplicationError(QString::fromUtf8(error.what()));
    }
    return 0;
}
