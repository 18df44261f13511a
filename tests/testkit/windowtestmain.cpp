// The window tests need a QApplication for the whole run, and must never
// read or write the settings of the person running them.
#include "fontfaces.h"

#include <QApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#ifdef _WIN32
#include "scratchcurrentuser.h"
#endif

using namespace ostrel;

int main(int argc, char **argv)
{
    // CTest sets the platform for the tests it runs; the test listing at
    // build time runs without it.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    QStandardPaths::setTestModeEnabled(true);
    QTemporaryDir settingsDir;
    QSettings::setDefaultFormat(QSettings::IniFormat);
    for (QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
        QSettings::setPath(format, QSettings::UserScope, settingsDir.path());
#ifdef _WIN32
    // The native store is the registry, which no path redirects.
    ScratchCurrentUser registry;
    if (!registry.Active())
        return 2;
#endif

    QApplication app(argc, argv);
    InstallFontSubstitutions();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
