#include "platform/win32/updater_system_win32.h"

#include <gtest/gtest.h>

#include <chrono>

#include "base/date_time.h"
#include "platform/win32/platform_test_support.h"
#include "platform/win32/wrappers/handle.h"

namespace wmb {
namespace {

using namespace std::chrono_literals;

TEST(Win32UpdaterSystem, AutomaticCheckTimerRunsOnceOnTheWindowsThread) {
    test::MessageWindow window;
    Win32UpdaterSystem system(window.Get());
    int runs = 0;
    DWORD thread = 0;
    system.StartTimer(10, [&] { ++runs, thread = GetCurrentThreadId(); });
    const auto due = test::WaitForMessage(window.Get(), WM_TIMER, 5s);
    ASSERT_TRUE(due.has_value());
    DispatchMessageA(&*due);
    test::PumpMessages(100ms);
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(thread, GetCurrentThreadId());
}

TEST(Win32UpdaterSystem, DownloadedFileGetsItsServerTimeAtTwoSeconds) {
    test::ScratchFolder folder;
    const std::string path = folder / "notes.txt.uTMP";
    Handle(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    test::MessageWindow window;
    Win32UpdaterSystem(window.Get()).SetFileTime(path, EncodeDateTime(1994, 11, 6, 8, 49, 37, 0));
    WIN32_FILE_ATTRIBUTE_DATA data{};
    ASSERT_TRUE(GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data));
    SYSTEMTIME written{};
    FileTimeToSystemTime(&data.ftLastWriteTime, &written);
    EXPECT_EQ(written.wYear, 1994);
    EXPECT_EQ(written.wDay, 6);
    EXPECT_EQ(written.wHour, 8);
    EXPECT_EQ(written.wMinute, 49);
    EXPECT_EQ(written.wSecond, 36);
}

}  // namespace
}  // namespace wmb
