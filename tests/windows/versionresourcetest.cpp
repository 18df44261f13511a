// The resources compiled into OstrelView.exe, read as Windows reads them:
// the version block through the version API, the string table through
// LoadString, the icon, and the captions the window makes of the version.
#include "stringtable.h"
#include "tformview.h"
#include "versiondata.h"
#include "versioninfo.h"

#include <QLabel>

#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

using namespace ostrel;

namespace {

const wchar_t ViewerFile[] = L"" OSTREL_VERSION_FILE;

std::vector<unsigned char> VersionBlock()
{
    const DWORD size = GetFileVersionInfoSizeW(ViewerFile, nullptr);
    std::vector<unsigned char> block(size);
    if (size == 0 || !GetFileVersionInfoW(ViewerFile, 0, size, block.data()))
        block.clear();
    return block;
}

QString VersionString(std::vector<unsigned char> &block, const wchar_t *name)
{
    void *text = nullptr;
    UINT length = 0;
    const std::wstring path = std::wstring(L"\\StringFileInfo\\041103a4\\") + name;
    if (!VerQueryValueW(block.data(), path.c_str(), &text, &length))
        return QStringLiteral("<missing>");
    return QString::fromWCharArray(static_cast<const wchar_t *>(text), int(wcsnlen(static_cast<const wchar_t *>(text), length)));
}

TEST(VersionResource, CarriesTheJapaneseTranslationAndItsTexts)
{
    std::vector<unsigned char> block = VersionBlock();
    ASSERT_FALSE(block.empty()) << "no version data found for OstrelView.exe";

    void *translation = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", &translation, &length));
    ASSERT_GE(length, 4u);
    const WORD *words = static_cast<const WORD *>(translation);
    EXPECT_EQ(words[0], 0x0411);
    EXPECT_EQ(words[1], 0x03A4);

    EXPECT_EQ(VersionString(block, L"FileVersion"), QStringLiteral("1.0.0.2"));
    EXPECT_EQ(VersionString(block, L"ProductVersion"), QStringLiteral("1.0.0.2"));
    EXPECT_EQ(VersionString(block, L"FileDescription"), QStringLiteral("OstrelScript ビューアー"));
    EXPECT_EQ(VersionString(block, L"Comments"),
              QStringLiteral("Torvex のバトルロイヤルで出力したスクリプトファイルを再生します"));
    EXPECT_EQ(VersionString(block, L"OriginalFilename"), QStringLiteral("ostrelview.exe"));

    VS_FIXEDFILEINFO *fixed = nullptr;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void **>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, DWORD(MAKELONG(0, 1)));
    EXPECT_EQ(fixed->dwFileVersionLS, DWORD(MAKELONG(2, 0)));
    EXPECT_EQ(fixed->dwProductVersionMS, DWORD(MAKELONG(0, 1)));
    EXPECT_EQ(fixed->dwProductVersionLS, DWORD(MAKELONG(2, 0)));
}

TEST(VersionResource, ReachesTheCaptionsThroughTheVersionApi)
{
    EXPECT_EQ(VersionInfo(OSTREL_VERSION_FILE).GetFileVersion(), QStringLiteral("1.0.0.2"));
    TFormView form;
    EXPECT_EQ(form.Version->text(), QStringLiteral("Version 1.0.0.2"));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("OstrelScirpt ビューアー Ver.1.0.0.2"));
}

TEST(ProgramResources, HoldTheStringTableAndTheIcon)
{
    HMODULE viewer = LoadLibraryExW(ViewerFile, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(viewer, nullptr);
    for (int id = IdsLoaderCaption; id <= IdsSettingsNotSaved; ++id) {
        const wchar_t *text = nullptr;
        const int length = LoadStringW(viewer, UINT(id), reinterpret_cast<LPWSTR>(&text), 0);
        EXPECT_EQ(QString::fromWCharArray(text, length), QString::fromUtf8(StringTableText(id))) << "string " << id;
    }
    EXPECT_NE(FindResourceW(viewer, L"MAINICON", RT_GROUP_ICON), nullptr);
    FreeLibrary(viewer);
}

} // namespace
