#include "platform/win32/file_system_win32.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

#include "platform/win32/platform_test_support.h"
#include "platform/win32/wrappers/system_error_text.h"

namespace wmb {
namespace {

class Win32FileSystemTest : public ::testing::Test {
protected:
    test::ScratchFolder dir_;
    Win32FileSystem fs_;
};

TEST_F(Win32FileSystemTest, WriteAndReadKeepEveryByte) {
    const std::string bytes = std::string("line 1\r\n\xD7\0end\r\n", 14);
    fs_.WriteFile(dir_ / "a.txt", bytes);
    EXPECT_EQ(fs_.ReadFile(dir_ / "a.txt"), bytes);

    fs_.WriteFile(dir_ / "a.txt", "short");
    EXPECT_EQ(fs_.ReadFile(dir_ / "a.txt"), "short") << "a rewrite replaces the whole file";
    fs_.WriteFile(dir_ / "empty.txt", "");
    EXPECT_EQ(fs_.ReadFile(dir_ / "empty.txt"), "");
    EXPECT_EQ(fs_.ReadFile(dir_ / "missing.txt"), std::nullopt);
    EXPECT_EQ(fs_.ReadFile(dir_.Path()), std::nullopt) << "a folder is not a file";
}

TEST_F(Win32FileSystemTest, AFailedWriteThrowsWithTheSystemMessage) {
    try {
        fs_.WriteFile(dir_ / "no such folder\\a.txt", "x");
        FAIL() << "no exception";
    } catch (const std::runtime_error& e) {
        const std::string what = e.what();
        EXPECT_NE(what.find(dir_ / "no such folder\\a.txt"), std::string::npos) << what;
        EXPECT_NE(what.find(SystemErrorText(ERROR_PATH_NOT_FOUND)), std::string::npos) << what;
    }
}

TEST_F(Win32FileSystemTest, AtomicWriteReplacesWhollyOrNotAtAll) {
    fs_.WriteFile(dir_ / "j.txt", "old");
    fs_.WriteFileAtomic(dir_ / "j.txt", "new\r\n");
    EXPECT_EQ(fs_.ReadFile(dir_ / "j.txt"), "new\r\n");
    EXPECT_FALSE(fs_.FileExists(dir_ / "j.txt.new"));

    // A folder in the way of the new file: the old file stays as it was.
    CreateDirectoryA((dir_ / "j.txt.new").c_str(), nullptr);
    EXPECT_THROW(fs_.WriteFileAtomic(dir_ / "j.txt", "newer"), std::runtime_error);
    EXPECT_EQ(fs_.ReadFile(dir_ / "j.txt"), "new\r\n");
}

TEST_F(Win32FileSystemTest, FilesAndFoldersAreToldApart) {
    fs_.WriteFile(dir_ / "f.txt", "x");
    EXPECT_TRUE(fs_.FileExists(dir_ / "f.txt"));
    EXPECT_FALSE(fs_.FolderExists(dir_ / "f.txt"));
    EXPECT_TRUE(fs_.FolderExists(dir_.Path()));
    EXPECT_TRUE(fs_.FolderExists(dir_.Path().substr(0, dir_.Path().size() - 1)));
    EXPECT_FALSE(fs_.FileExists(dir_.Path()));
    EXPECT_FALSE(fs_.FileExists(dir_ / "g.txt"));
    EXPECT_FALSE(fs_.FolderExists(""));
}

TEST_F(Win32FileSystemTest, DeleteAndRenameFailSilently) {
    fs_.WriteFile(dir_ / "a.txt", "A");
    fs_.WriteFile(dir_ / "b.txt", "B");
    EXPECT_FALSE(fs_.RenameFile(dir_ / "a.txt", dir_ / "b.txt"));
    EXPECT_EQ(fs_.ReadFile(dir_ / "a.txt"), "A");
    EXPECT_EQ(fs_.ReadFile(dir_ / "b.txt"), "B");

    EXPECT_TRUE(fs_.RemoveFile(dir_ / "b.txt"));
    EXPECT_FALSE(fs_.RemoveFile(dir_ / "b.txt"));
    EXPECT_TRUE(fs_.RenameFile(dir_ / "a.txt", dir_ / "b.txt"));
    EXPECT_FALSE(fs_.FileExists(dir_ / "a.txt"));
    EXPECT_EQ(fs_.ReadFile(dir_ / "b.txt"), "A");
    EXPECT_FALSE(fs_.RenameFile(dir_ / "missing.txt", dir_ / "c.txt"));
}

TEST_F(Win32FileSystemTest, CreateFoldersMakesEveryMissingParent) {
    EXPECT_TRUE(fs_.CreateFolders(dir_ / "one\\two\\three\\"));
    EXPECT_TRUE(fs_.FolderExists(dir_ / "one\\two\\three"));
    EXPECT_TRUE(fs_.CreateFolders(dir_ / "one\\two")) << "an existing folder is fine";
    EXPECT_TRUE(fs_.CreateFolders(dir_ / "one\\four"));

    fs_.WriteFile(dir_ / "file", "x");
    EXPECT_FALSE(fs_.CreateFolders(dir_ / "file\\sub"));
    EXPECT_FALSE(fs_.CreateFolders(""));
}

TEST_F(Win32FileSystemTest, ShellCopyCreatesFoldersAndReplacesTargets) {
    fs_.WriteFile(dir_ / "src.cfg", "new");
    const std::string target = dir_ / "Backup\\Bin32\\system.cfg";
    EXPECT_TRUE(fs_.ShellCopy(dir_ / "src.cfg", target));
    EXPECT_EQ(fs_.ReadFile(target), "new");

    fs_.WriteFile(dir_ / "src.cfg", "newer");
    EXPECT_TRUE(fs_.ShellCopy(dir_ / "src.cfg", target));
    EXPECT_EQ(fs_.ReadFile(target), "newer");
    EXPECT_TRUE(fs_.FileExists(dir_ / "src.cfg")) << "a copy keeps its source";

    EXPECT_FALSE(fs_.ShellCopy(dir_ / "missing.cfg", dir_ / "other.cfg"));
    EXPECT_FALSE(fs_.FileExists(dir_ / "other.cfg"));
    EXPECT_FALSE(fs_.ShellCopy(dir_ / "missing.cfg", target)) << "an older target proves nothing";
    EXPECT_EQ(fs_.ReadFile(target), "newer");
}

TEST_F(Win32FileSystemTest, ShellMoveCreatesTheFolderAndReplacesTargets) {
    fs_.WriteFile(dir_ / "Wildmere0000.jpg", "picture");
    const std::string target = dir_ / "Screenshot\\shot_1024.jpg";
    EXPECT_TRUE(fs_.ShellMove(dir_ / "Wildmere0000.jpg", target));
    EXPECT_EQ(fs_.ReadFile(target), "picture");
    EXPECT_FALSE(fs_.FileExists(dir_ / "Wildmere0000.jpg"));

    fs_.WriteFile(dir_ / "Wildmere0000.jpg", "second");
    EXPECT_TRUE(fs_.ShellMove(dir_ / "Wildmere0000.jpg", target));
    EXPECT_EQ(fs_.ReadFile(target), "second");

    EXPECT_FALSE(fs_.ShellMove(dir_ / "Wildmere0000.jpg", target)) << "the source is gone";
    EXPECT_EQ(fs_.ReadFile(target), "second");
}

TEST_F(Win32FileSystemTest, ListSubfoldersNamesFoldersOnlyAndSkipsDotNames) {
    fs_.CreateFolders(dir_ / "Beta");
    fs_.CreateFolders(dir_ / "Alpha\\Inner");
    fs_.CreateFolders(dir_ / ".hidden");
    fs_.WriteFile(dir_ / "file.txt", "x");

    std::vector<std::string> names = fs_.ListSubfolders(dir_.Path());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"Alpha", "Beta"}));
    const std::string withoutSlash = dir_.Path().substr(0, dir_.Path().size() - 1);
    EXPECT_EQ(fs_.ListSubfolders(withoutSlash).size(), 2u);
    EXPECT_TRUE(fs_.ListSubfolders(dir_ / "missing").empty());
    EXPECT_TRUE(fs_.ListSubfolders("").empty());
}

TEST(PlatformFolders, NameExistingFoldersInTheAgreedForm) {
    Win32FileSystem fs;
    const std::string program = ProgramFolder();
    ASSERT_FALSE(program.empty());
    EXPECT_EQ(program.back(), '\\');
    EXPECT_EQ(ProgramPath().rfind(program, 0), 0u);
    EXPECT_TRUE(fs.FileExists(program + "platform_tests.exe"));

    const std::string temp = TempFolder();
    ASSERT_FALSE(temp.empty());
    EXPECT_EQ(temp.back(), '\\');
    EXPECT_TRUE(fs.FolderExists(temp));

    for (const std::string& folder : {WindowsSystemFolder(), CommonDesktopFolder(), CommonProgramsFolder()}) {
        ASSERT_FALSE(folder.empty());
        EXPECT_NE(folder.back(), '\\') << folder;
        EXPECT_TRUE(fs.FolderExists(folder)) << folder;
    }
    EXPECT_TRUE(fs.FileExists(WindowsSystemFolder() + "\\kernel32.dll"));
    EXPECT_NE(CommonDesktopFolder(), CommonProgramsFolder());
}

}  // namespace
}  // namespace wmb
