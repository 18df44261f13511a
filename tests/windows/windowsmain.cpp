// The Windows tests need a QApplication, and must never touch the registry
// of the person running them: for the whole run HKEY_CURRENT_USER is a
// scratch key of this process, deleted at the end.
#include <QApplication>

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>

namespace {

// One scratch key per process, so that parallel runs do not meet.
std::wstring ScratchKeyPath()
{
    return L"Software\\OstrelViewTests\\" + std::to_wstring(GetCurrentProcessId());
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    const std::wstring scratchPath = ScratchKeyPath();
    HKEY scratch = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, scratchPath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &scratch,
                        nullptr) != ERROR_SUCCESS
        || RegOverridePredefKey(HKEY_CURRENT_USER, scratch) != ERROR_SUCCESS) {
        std::fprintf(stderr, "cannot redirect HKEY_CURRENT_USER to a scratch key\n");
        return 2;
    }

    int result = 0;
    {
        QApplication app(argc, argv);
        ::testing::InitGoogleTest(&argc, argv);
        result = RUN_ALL_TESTS();
    }

    RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    RegCloseKey(scratch);
    RegDeleteTreeW(HKEY_CURRENT_USER, scratchPath.c_str());
    return result;
}
