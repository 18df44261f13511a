// Labels are drawn with fonts, which need a QGuiApplication for the whole run.
#include <QGuiApplication>

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    // CTest sets the platform for the tests it runs; the test listing at
    // build time runs without it.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
