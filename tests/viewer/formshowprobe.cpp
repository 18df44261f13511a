// Starts the window with this program's own arguments, shows it once and
// prints what the start-up made of them, as one line:
//   steps=<steps loaded> max=<slider maximum> play=<0|1> messages=<loader ids>
// The loader's messages are recorded rather than shown, and the settings go
// to a temporary folder, never to the user's.
#include "formtestkit.h"
#include "toolbarbutton.h"

#include <QApplication>
#include <QSettings>
#include <QSlider>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cstdio>
#include <string>

#ifdef _WIN32
#include "scratchcurrentuser.h"
#endif

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QTemporaryDir settingsDir;
    for (QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
        QSettings::setPath(format, QSettings::UserScope, settingsDir.path());
#ifdef _WIN32
    // The native store is the registry, which no path redirects.
    ScratchCurrentUser registry;
    if (!registry.Active())
        return 2;
#endif

    QApplication app(argc, argv);
    ScriptedFormView form;
    form.show();

    std::string messages;
    for (int id : form.LoaderMessages)
        messages += (messages.empty() ? "" : ",") + std::to_string(id);
    std::printf("steps=%d max=%d play=%d messages=%s\n", int(form.Model.Steps.size()),
                form.TrackBarProgress->maximum(), int(form.ToolButtonPlay->isEnabled()), messages.c_str());
    return 0;
}
