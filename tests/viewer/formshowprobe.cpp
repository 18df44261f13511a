// Starts the window with this program's own arguments, shows it once and
// prints what the start-up made of them, as one line:
//   steps=<steps loaded> max=<slider maximum> play=<0|1> messages=<loader ids>
//   unopened=<names of the files reported as not openable>
// The messages are recorded rather than shown, and the settings go
// to a temporary folder, never to the user's.
#include "formtestkit.h"
#include "toolbarbutton.h"

#include <QApplication>
#include <QFileInfo>
#include <QSettings>
#include <QSlider>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cstdio>
#include <string>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QTemporaryDir settingsDir;
    for (QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
        QSettings::setPath(format, QSettings::UserScope, settingsDir.path());

    QApplication app(argc, argv);
    ScriptedFormView form;
    form.show();

    std::string messages;
    for (int id : form.LoaderMessages)
        messages += (messages.empty() ? "" : ",") + std::to_string(id);
    QStringList unopened;
    for (const QString &path : form.UnopenedFiles)
        unopened << QFileInfo(path).fileName();
    std::printf("steps=%d max=%d play=%d messages=%s unopened=%s\n", int(form.Model.Steps.size()),
                form.TrackBarProgress->maximum(), int(form.ToolButtonPlay->isEnabled()), messages.c_str(),
                unopened.join(QLatin1Char(',')).toUtf8().constData());
    return 0;
}
