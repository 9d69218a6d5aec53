#include "platform/win32/single_instance.h"

#include <gtest/gtest.h>

#include <optional>
#include <thread>

#include "platform/win32/platform_test_support.h"

namespace wmb {
namespace {

using namespace std::chrono_literals;

TEST(SingleInstanceGuard, CountsInstancesPerExecutablePath) {
    const std::string path = "C:\\" + test::UniqueName("Bench") + "\\WildmereBench.exe";
    std::optional<SingleInstanceGuard> first(std::in_place, path);
    EXPECT_TRUE(first->IsFirst());
    EXPECT_FALSE(SingleInstanceGuard(path).IsFirst());
    std::string upper = path;
    CharUpperBuffA(upper.data(), static_cast<DWORD>(upper.size()));
    EXPECT_FALSE(SingleInstanceGuard(upper).IsFirst()) << "paths differ only in letter case";
    EXPECT_TRUE(SingleInstanceGuard(path + "\\..\\Copy\\WildmereBench.exe").IsFirst()) << "another folder";

    first.reset();
    EXPECT_TRUE(SingleInstanceGuard(path).IsFirst()) << "the first instance has ended";
}

TEST(SingleInstanceGuard, GuardsTheRunningExecutableByDefault) {
    SingleInstanceGuard self;
    EXPECT_FALSE(SingleInstanceGuard(ProgramPath()).IsFirst());
}

TEST(SingleInstanceGuard, MutexNamesAreValidKernelObjectNames) {
    const std::string name = SingleInstanceGuard::MutexName("c:\\Program Files\\Kestrane\\WildmereBench.exe");
    EXPECT_EQ(name.find('\\'), std::string::npos) << name;
    EXPECT_NE(name.find("C__PROGRAM FILES_KESTRANE_WILDMEREBENCH.EXE"), std::string::npos) << name;

    const std::string deep = "C:\\" + std::string(300, 'd') + "\\";
    const std::string a = SingleInstanceGuard::MutexName(deep + "a.exe");
    const std::string b = SingleInstanceGuard::MutexName(deep + "b.exe");
    EXPECT_LT(a.size(), static_cast<size_t>(MAX_PATH));
    EXPECT_NE(a, b);
    EXPECT_TRUE(SingleInstanceGuard(deep + "a.exe").IsFirst());
}

// A top-level window of a class of its own that records the command line handed to it.
class OtherInstanceWindow {
public:
    explicit OtherInstanceWindow(const std::string& className) : className_(className) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = &Proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = className_.c_str();
        RegisterClassA(&wc);
        hwnd_ = CreateWindowExA(0, className_.c_str(), "Other instance", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                                nullptr, wc.hInstance, nullptr);
    }
    ~OtherInstanceWindow() {
        DestroyWindow(hwnd_);
        UnregisterClassA(className_.c_str(), GetModuleHandleA(nullptr));
    }
    HWND Get() const { return hwnd_; }
    static std::optional<std::string> received;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_COPYDATA) {
            received = SingleInstanceGuard::CommandLineFrom(*reinterpret_cast<const COPYDATASTRUCT*>(lParam));
            return TRUE;
        }
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    std::string className_;
    HWND hwnd_;
};
std::optional<std::string> OtherInstanceWindow::received;

TEST(SingleInstanceGuard, ActivateOtherRestoresTheWindowAndHandsOverTheCommandLine) {
    const std::string className = test::UniqueName("WmbOtherInstance");
    OtherInstanceWindow other(className);
    ASSERT_TRUE(other.Get());
    ShowWindow(other.Get(), SW_SHOWMINIMIZED);
    OtherInstanceWindow::received.reset();

    // The second instance is another thread here; this thread keeps its message loop running.
    bool found = false;
    std::thread second([&] { found = SingleInstanceGuard::ActivateOther(className); });
    for (int i = 0; i < 250 && !OtherInstanceWindow::received; ++i) test::PumpMessages(20ms);
    second.join();

    EXPECT_TRUE(found);
    EXPECT_EQ(OtherInstanceWindow::received, std::string(GetCommandLineA()));
    EXPECT_FALSE(IsIconic(other.Get()));
}

TEST(SingleInstanceGuard, ActivateOtherFindsNothingWithoutTheWindow) {
    EXPECT_FALSE(SingleInstanceGuard::ActivateOther(test::UniqueName("WmbNoSuchWindow")));
}

TEST(SingleInstanceGuard, OnlyTaggedCopyDataCarriesACommandLine) {
    char text[] = "WildmereBench.exe";
    COPYDATASTRUCT data{SingleInstanceGuard::kCommandLineData, sizeof text, text};
    EXPECT_EQ(SingleInstanceGuard::CommandLineFrom(data), "WildmereBench.exe");
    data.dwData = 1;
    EXPECT_EQ(SingleInstanceGuard::CommandLineFrom(data), std::nullopt);
}

}  // namespace
}  // namespace wmb
