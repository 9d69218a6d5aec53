#include "run/windows_path.h"

#include <gtest/gtest.h>

namespace wmb {
namespace {

TEST(WindowsPath, FullRelativeAndFilePathsAreCheckedByTheirOwnRules) {
    const std::string longest = "C:\\" + std::string(256, 'a');
    const struct {
        std::string path;
        bool full;      // FullPathProblem is ""
        bool relative;  // RelativePathProblem is ""
        bool file;      // FilePathProblem is ""
    } cases[] = {
        {"C:\\", true, false, false},
        {"c:\\Results", true, false, true},
        {"C:\\Program Files\\Kestrane\\", true, false, false},
        {"\\\\server\\share", true, false, true},
        {"\\\\server\\share\\Results\\", true, false, false},
        {"\\\\server", false, false, false},
        {"\\\\server\\", false, false, false},
        {"\\\\\\share", false, false, false},
        {"C:Results", false, false, false},
        {"C:/Results", false, false, false},
        {"1:\\Results", false, false, false},
        {"Results", false, true, true},
        {"profiles\\low.ini", false, true, true},
        {"..\\low.ini", false, true, true},
        {".\\-x.ini", false, true, true},
        {"\\low.ini", false, false, false},
        {"C:\\a\\..\\b", false, false, true},
        {"C:\\a\\.\\b", false, false, true},
        {"C:\\a\\\\b", false, false, false},
        {"C:\\\\", false, false, false},
        {"C:\\a|b", false, false, false},
        {"C:\\a:b", false, false, false},
        {"a*.ini", false, false, false},
        {"C:\\tab\there", false, false, false},
        {"C:\\\"quoted\"", false, false, false},
        {"low.ini\\", false, true, false},
        {longest, true, false, true},
        {longest + "b", false, false, false},
        {"", false, false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FullPathProblem(c.path).empty(), c.full) << c.path << ": " << FullPathProblem(c.path);
        EXPECT_EQ(RelativePathProblem(c.path).empty(), c.relative) << c.path << ": " << RelativePathProblem(c.path);
        EXPECT_EQ(FilePathProblem(c.path).empty(), c.file) << c.path << ": " << FilePathProblem(c.path);
    }
}

TEST(WindowsPath, FoldersGetOneTrailingBackslashAndFilesGiveTheirFolder) {
    EXPECT_EQ(WithBackslash("C:\\Results"), "C:\\Results\\");
    EXPECT_EQ(WithBackslash("C:\\"), "C:\\");
    EXPECT_EQ(FolderOf("C:\\Sweeps\\night.sweep"), "C:\\Sweeps\\");
    EXPECT_EQ(FolderOf("night.sweep"), "");
}

}  // namespace
}  // namespace wmb
