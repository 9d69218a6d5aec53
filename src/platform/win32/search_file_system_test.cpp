#include "platform/win32/search_file_system.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <stdexcept>
#include <system_error>
#include <vector>

#include "platform/win32/platform_test_support.h"
#include "platform/win32/wrappers/handle.h"

namespace wmb {
namespace {

using namespace std::chrono_literals;

// A folder tree of timedemos: hidden and read-only ones, one in a subfolder, a folder named like one.
struct LevelTree {
    LevelTree() {
        Win32FileSystem files;
        files.CreateFolders(Level() + "Sub");
        files.CreateFolders(Level() + "folder.tmd");
        files.WriteFile(Level() + "plain.tmd", "12345");
        files.WriteFile(Level() + "hidden.tmd", "");
        files.WriteFile(Level() + "readonly.tmd", "");
        files.WriteFile(Level() + "notes.txt", "");
        files.WriteFile(Level() + "Sub\\deep.tmd", "");
        SetFileAttributesA((Level() + "hidden.tmd").c_str(), FILE_ATTRIBUTE_HIDDEN);
        SetFileAttributesA((Level() + "readonly.tmd").c_str(), FILE_ATTRIBUTE_READONLY);
    }
    std::string Level() const { return scratch / "Level\\"; }
    test::ScratchFolder scratch;
};

// The thread's message loop, doing the dispatcher's work for `window`, until `done` or the deadline.
bool RunUntil(HWND window, const std::function<bool()>& done, std::chrono::milliseconds timeout = 10s) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
        if (left <= 0ms) return false;
        if (const auto msg = test::WaitForMessage(window, kDispatchMessage, left)) UiDispatcher::Execute(msg->lParam);
    }
    return true;
}

TEST(SearchFileSystem, ReportsHiddenAndReadOnlyFilesNeverFoldersWithSizeAndLocalTimes) {
    LevelTree tree;
    FILETIME utc;
    {
        const SYSTEMTIME local{2024, 2, 4, 29, 13, 45, 30, 0};
        FILETIME localFile;
        ASSERT_TRUE(SystemTimeToFileTime(&local, &localFile));
        ASSERT_TRUE(LocalFileTimeToFileTime(&localFile, &utc));
        const Handle file(CreateFileA((tree.Level() + "plain.tmd").c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr,
                                      OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(SetFileTime(file.Get(), nullptr, nullptr, &utc));
    }
    Win32SearchFileSystem disk;
    TFileFinder finder(disk);
    finder.Criteria.Files.FileName = "*.tmd";
    finder.Criteria.Files.Location = tree.Level();
    std::vector<std::string> found;
    finder.OnFileMatch = [&](TFileFinder&, const std::string& folder, const TFileEntry& file) {
        found.push_back(folder.substr(tree.Level().size()) + file.Name);
        if (file.Name != "plain.tmd") return;
        EXPECT_EQ(file.Size, 5u);
        EXPECT_NEAR(file.Modified, EncodeDateTime(2024, 2, 29, 13, 45, 30, 0), 1e-7);
    };
    finder.StartSearch();
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, (std::vector<std::string>{"Sub\\deep.tmd", "hidden.tmd", "plain.tmd", "readonly.tmd"}));
}

TEST(SearchFileSystem, FindsAContentPhraseAcrossTheEdgeOfTheBlocksRead) {
    test::ScratchFolder scratch;
    std::string bytes(100000, 'x');
    bytes.replace(61436, 10, " TimeDemo ");
    Win32FileSystem files;
    files.WriteFile(scratch / "edge.tmd", bytes);
    files.WriteFile(scratch / "none.tmd", std::string(100000, 'x'));
    Win32SearchFileSystem disk;
    TFileFinder finder(disk);
    finder.Criteria.Files.FileName = "*.tmd";
    finder.Criteria.Files.Location = scratch.Path();
    finder.Criteria.Content = {"timedemo", true, true};
    std::vector<std::string> found;
    finder.OnFileMatch = [&](TFileFinder&, const std::string&, const TFileEntry& file) { found.push_back(file.Name); };
    finder.StartSearch();
    EXPECT_EQ(found, std::vector<std::string>{"edge.tmd"});
}

TEST(SearchFileSystem, ThreadedSearchFinishesOnTheWindowsThread) {
    LevelTree tree;
    test::MessageWindow window;
    Win32SearchFileSystem disk;
    TFileFinder finder(disk, Win32FinderThreadServices(UiDispatcher(window.Get())));
    finder.Threaded = true;
    finder.ThreadPriority = THREAD_PRIORITY_BELOW_NORMAL;
    finder.Criteria.Files.FileName = "*.tmd";
    finder.Criteria.Files.Location = tree.Level();
    std::atomic<int> matches{0};
    std::atomic<int> priority{0};
    DWORD finishThread = 0;
    finder.OnFileMatch = [&](TFileFinder&, const std::string&, const TFileEntry&) {
        ++matches;
        priority = GetThreadPriority(GetCurrentThread());
    };
    finder.OnSearchFinish = [&](TFileFinder&) { finishThread = GetCurrentThreadId(); };
    finder.StartSearch();
    ASSERT_TRUE(RunUntil(window.Get(), [&] { return finishThread != 0; }));
    EXPECT_EQ(finishThread, GetCurrentThreadId());
    EXPECT_EQ(matches, 4);
    EXPECT_EQ(priority, THREAD_PRIORITY_BELOW_NORMAL);
    EXPECT_FALSE(finder.IsBusy());
}

TEST(SearchFileSystem, StopFromTheWindowsThreadWhileAHandlerSendsItAMessage) {
    LevelTree tree;
    test::MessageWindow window;
    Win32SearchFileSystem disk;
    TFileFinder finder(disk, Win32FinderThreadServices(UiDispatcher(window.Get())));
    finder.Threaded = true;
    finder.Criteria.Files.FileName = "*.tmd";
    finder.Criteria.Files.Location = tree.Level();
    const Handle inside(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    std::atomic<int> matches{0};
    std::atomic<bool> answered{false};
    std::vector<std::string> events;
    finder.OnFileMatch = [&](TFileFinder&, const std::string&, const TFileEntry&) {
        ++matches;
        SetEvent(inside.Get());
        SendMessageA(window.Get(), WM_GETTEXTLENGTH, 0, 0);
        answered = true;
    };
    finder.OnSearchAbort = [&](TFileFinder&) { events.push_back("abort"); };
    finder.OnSearchFinish = [&](TFileFinder&) { events.push_back("finish"); };
    finder.StartSearch();
    ASSERT_EQ(WaitForSingleObject(inside.Get(), 10000), WAIT_OBJECT_0);
    finder.StopSearch();
    EXPECT_TRUE(answered);
    EXPECT_EQ(matches, 1);
    EXPECT_FALSE(finder.IsBusy());
    EXPECT_EQ(events, (std::vector<std::string>{"abort", "finish"}));
    test::PumpMessages(50ms);
    EXPECT_EQ(events.size(), 2u);
}

}  // namespace
}  // namespace wmb
