#include "platform/win32/version_reader.h"

#include <gtest/gtest.h>

#include "platform/win32/file_system_win32.h"
#include "platform/win32/platform_test_support.h"

namespace wmb {
namespace {

TEST(ReadFileVersionString, ReadsTheTextAsStored) {
    EXPECT_EQ(ReadFileVersionString(ProgramPath()), "1, 4, 0, 1405");
}

TEST(ReadFileVersionString, TakesTheStringTableOfTheFirstTranslation) {
    // The child's resource lists German/Unicode before English/ANSI; each table has its own text.
    EXPECT_EQ(ReadFileVersionString(ProgramFolder() + "platform_test_child.exe"), "2, 0, 0, 77");
}

TEST(ReadFileVersionString, IsEmptyWithoutAVersionResource) {
    test::ScratchFolder dir;
    Win32FileSystem().WriteFile(dir / "ZorbSystem.dll", "not a program");
    EXPECT_EQ(ReadFileVersionString(dir / "ZorbSystem.dll"), "");
    EXPECT_EQ(ReadFileVersionString(dir / "missing.dll"), "");
}

}  // namespace
}  // namespace wmb
