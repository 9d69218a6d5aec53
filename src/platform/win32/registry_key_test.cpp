#include "platform/win32/registry_key.h"

#include <gtest/gtest.h>

#include "platform/win32/platform_test_support.h"

namespace wmb {
namespace {

// Every test works in a key of its own under HKEY_LOCAL_MACHINE, removed afterwards.
class RegistryTest : public ::testing::Test {
protected:
    void TearDown() override { EXPECT_TRUE(RegKey::DeleteTree(HKEY_LOCAL_MACHINE, path_)); }
    const std::string path_ = "SOFTWARE\\" + test::UniqueName("WmbPlatformTest");
};

TEST_F(RegistryTest, OpenNeverCreatesTheKey) {
    EXPECT_FALSE(RegKey::Open(HKEY_LOCAL_MACHINE, path_, KEY_READ | KEY_WRITE).IsOpen());
    EXPECT_FALSE(RegKey::Open(HKEY_LOCAL_MACHINE, path_, KEY_READ).IsOpen());
    RegKey::Create(HKEY_LOCAL_MACHINE, path_, KEY_WRITE);
    EXPECT_TRUE(RegKey::Open(HKEY_LOCAL_MACHINE, path_, KEY_READ).IsOpen());
    EXPECT_TRUE(RegKey::Open(HKEY_LOCAL_MACHINE, "\\" + path_, KEY_READ).IsOpen()) << "leading backslash";
}

TEST_F(RegistryTest, StringValuesRoundTripByteForByte) {
    RegKey key = RegKey::Create(HKEY_LOCAL_MACHINE, path_, KEY_READ | KEY_WRITE);
    ASSERT_TRUE(key.IsOpen());
    EXPECT_EQ(key.ReadString("Missing"), "");
    EXPECT_FALSE(key.ValueExists("Missing"));

    EXPECT_TRUE(key.WriteString("Slot", "1280 \xD7 1024"));
    EXPECT_TRUE(key.WriteString("Empty", ""));
    const std::string longText(1000, 'w');
    EXPECT_TRUE(key.WriteString("Long", longText));

    EXPECT_EQ(key.ReadString("Slot"), "1280 \xD7 1024");
    EXPECT_TRUE(key.ValueExists("Empty"));
    EXPECT_EQ(key.ReadString("Empty"), "");
    EXPECT_EQ(key.ReadString("Long"), longText);
    EXPECT_EQ(key.ReadString("slot"), "1280 \xD7 1024") << "value names ignore letter case";

    DWORD type = 0;
    ASSERT_EQ(RegQueryValueExA(key.Get(), "Slot", nullptr, &type, nullptr, nullptr), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));

    EXPECT_TRUE(key.DeleteValue("Slot"));
    EXPECT_FALSE(key.ValueExists("Slot"));
    EXPECT_FALSE(key.DeleteValue("Slot"));
}

TEST_F(RegistryTest, ValuesOfOtherTypesReadAsEmpty) {
    RegKey key = RegKey::Create(HKEY_LOCAL_MACHINE, path_, KEY_READ | KEY_WRITE);
    const DWORD number = 1;
    RegSetValueExA(key.Get(), "Number", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
    const char unterminated[] = {'a', 'b'};
    RegSetValueExA(key.Get(), "Raw", 0, REG_SZ, reinterpret_cast<const BYTE*>(unterminated), sizeof unterminated);
    EXPECT_TRUE(key.ValueExists("Number"));
    EXPECT_EQ(key.ReadString("Number"), "");
    EXPECT_EQ(key.ReadString("Raw"), "ab");
}

TEST_F(RegistryTest, AMovedFromKeyIsClosed) {
    RegKey first = RegKey::Create(HKEY_LOCAL_MACHINE, path_, KEY_READ | KEY_WRITE);
    RegKey second = std::move(first);
    EXPECT_FALSE(first.IsOpen());
    EXPECT_FALSE(first.WriteString("A", "1"));
    EXPECT_EQ(first.ReadString("A"), "");
    EXPECT_TRUE(second.WriteString("A", "1"));
    first = std::move(second);
    EXPECT_EQ(first.ReadString("A"), "1");
}

TEST_F(RegistryTest, SettingsStoreDoesNotCreateItsKeyAndOpensItOnceItExists) {
    RegistrySettingsStore store(HKEY_LOCAL_MACHINE, path_);
    EXPECT_FALSE(store.IsOpen());
    store.Write("Path", "C:\\Games\\Wildmere\\Bin32\\Wildmere.exe");
    EXPECT_EQ(store.Read("Path"), "");
    EXPECT_FALSE(store.Reopen());
    EXPECT_FALSE(RegKey::Open(HKEY_LOCAL_MACHINE, path_, KEY_READ).IsOpen());

    RegKey::Create(HKEY_LOCAL_MACHINE, path_, KEY_WRITE);  // as an installer would
    EXPECT_TRUE(store.Reopen());
    store.Write("Decimal", ",");
    EXPECT_EQ(store.Read("Decimal"), ",");
    EXPECT_EQ(store.Read("Language"), "");
    EXPECT_EQ(RegKey::Open(HKEY_LOCAL_MACHINE, path_, KEY_READ).ReadString("Decimal"), ",");
}

TEST(RegistrySettingsStore, UsesTheProgramsKeyUnderLocalMachine) {
    RegistrySettingsStore store;
    EXPECT_EQ(store.IsOpen(), RegKey::Open(HKEY_LOCAL_MACHINE, "SOFTWARE\\Kestrane\\RERurov", KEY_READ).IsOpen());
}

}  // namespace
}  // namespace wmb
