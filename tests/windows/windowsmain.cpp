// The Windows tests need a QApplication, and must never touch the registry
// of the person running them.
#include "scratchcurrentuser.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <cstdio>

using namespace ostrel;

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    ScratchCurrentUser registry;
    if (!registry.Active()) {
        std::fprintf(stderr, "cannot redirect HKEY_CURRENT_USER to a scratch key\n");
        return 2;
    }
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
