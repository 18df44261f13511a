// The settings in the real registry: the key paths and value names the
// viewer uses, string values holding decimal text, and what a value of
// another type or a missing value reads.
#include "registrysettings.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

using namespace ostrel;

namespace {

struct RawValue {
    DWORD type = REG_NONE;
    std::string bytes;
    bool found = false;
};

// The value as the system stores it, read without Qt.
RawValue ReadRaw(const char *key, const char *name)
{
    RawValue raw;
    HKEY handle = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return raw;
    char buffer[256] = {};
    DWORD size = sizeof buffer;
    raw.found = RegQueryValueExA(handle, name, nullptr, &raw.type, reinterpret_cast<BYTE *>(buffer), &size)
        == ERROR_SUCCESS;
    RegCloseKey(handle);
    raw.bytes.assign(buffer, raw.found ? size : 0);
    return raw;
}

void WriteDword(const char *key, const char *name, DWORD number)
{
    HKEY handle = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(handle, name, 0, REG_DWORD, reinterpret_cast<const BYTE *>(&number), sizeof number);
    RegCloseKey(handle);
}

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override { RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Brimwold"); }
    void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Brimwold"); }
};

struct StoredCase {
    SettingsValue value;
    const char *fullKey;
    int number;
};

class RegistryRoundTrip : public RegistryTest, public ::testing::WithParamInterface<StoredCase> {};

TEST_P(RegistryRoundTrip, WritesDecimalTextUnderTheKeyAndReadsItBack)
{
    const StoredCase &c = GetParam();
    EXPECT_EQ(RegistrySettings::Read(c.value), c.value.DefaultValue);
    ASSERT_TRUE(RegistrySettings::Write(c.value, c.number));

    const RawValue raw = ReadRaw(c.fullKey, c.value.Name.toLatin1().constData());
    ASSERT_TRUE(raw.found);
    EXPECT_EQ(raw.type, DWORD(REG_SZ));
    EXPECT_EQ(raw.bytes, std::to_string(c.number) + '\0');
    EXPECT_EQ(RegistrySettings::Read(c.value), c.number);
}

INSTANTIATE_TEST_SUITE_P(
    Values, RegistryRoundTrip,
    ::testing::Values(
        StoredCase{ViewerSettings::Placement(ViewerSettings::WindowPrefix, "Top"), "Software\\Brimwold\\Torvex\\Window", -1},
        StoredCase{ViewerSettings::Placement(ViewerSettings::WindowPrefix, "Left"), "Software\\Brimwold\\Torvex\\Window", -32000},
        StoredCase{ViewerSettings::Placement(ViewerSettings::WindowPrefix, "Height"), "Software\\Brimwold\\Torvex\\Window", 465},
        StoredCase{ViewerSettings::Placement(ViewerSettings::WindowPrefix, "Width"), "Software\\Brimwold\\Torvex\\Window", 480},
        StoredCase{ViewerSettings::MapHeight, "Software\\Brimwold\\Torvex\\DLL\\OstrelScriptViewer", 250},
        StoredCase{ViewerSettings::ListWidth, "Software\\Brimwold\\Torvex\\DLL\\OstrelScriptViewer", 2147483647}));

TEST_F(RegistryTest, ANumberValueIsADataTypeErrorNamingTheValue)
{
    WriteDword("Software\\Brimwold\\Torvex\\DLL\\OstrelScriptViewer", "MapHeight", 250);
    try {
        RegistrySettings::Read(ViewerSettings::MapHeight);
        ADD_FAILURE() << "no error for a REG_DWORD value";
    } catch (const SettingsTypeError &error) {
        EXPECT_EQ(QString::fromUtf8(error.what()), QStringLiteral("'MapHeight' のデータ型が不正です"));
    }
}

TEST_F(RegistryTest, TextThatIsNoWholeNumberReadsTheDefault)
{
    HKEY handle = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Brimwold\\Torvex\\DLL\\OstrelScriptViewer", 0, nullptr, 0,
                              KEY_ALL_ACCESS, nullptr, &handle, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(handle, "ListWidth", 0, REG_SZ, reinterpret_cast<const BYTE *>("abc"), 4);
    RegCloseKey(handle);
    EXPECT_EQ(RegistrySettings::Read(ViewerSettings::ListWidth), 150);
}

} // namespace
