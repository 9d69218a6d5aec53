#include "ui/window.h"
#include "ui/layout.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>

namespace wmb::ui {
namespace {

constexpr const char* kTestClass = "WildmereBenchTestWindow";
constexpr int kButtonA = 11;
constexpr int kButtonB = 12;

BOOL CALLBACK TakeMessageBox(HWND hwnd, LPARAM out) {
    char cls[16] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    if (std::string(cls) != "#32770" || !IsWindowVisible(hwnd)) return TRUE;
    *reinterpret_cast<HWND*>(out) = hwnd;
    return FALSE;
}

HWND FindBoxOf(DWORD threadId) {
    HWND found = nullptr;
    EnumThreadWindows(threadId, TakeMessageBox, reinterpret_cast<LPARAM>(&found));
    return found;
}

// Waits on another thread for a message box of the calling thread, runs `whileShown`, then presses OK.
class BoxAnswerer {
public:
    explicit BoxAnswerer(std::function<void()> whileShown = {}) {
        const DWORD owner = GetCurrentThreadId();
        worker_ = std::thread([this, owner, whileShown] {
            for (int i = 0; i < 500 && !done_; ++i, Sleep(20)) {
                const HWND box = FindBoxOf(owner);
                if (!box) continue;
                char text[256] = {};
                GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
                text_ = text;
                if (whileShown) whileShown();
                Sleep(100);
                PostMessageA(box, WM_COMMAND, IDOK, 0);
                return;
            }
        });
    }
    ~BoxAnswerer() { Join(); }
    std::string Join() {
        done_ = true;
        if (worker_.joinable()) worker_.join();
        return text_;
    }

private:
    std::thread worker_;
    std::atomic<bool> done_{false};
    std::string text_;
};

class TestWindow : public Window {
public:
    explicit TestWindow(bool failCreation = false) : failCreation_(failCreation) { SetQuitOnDestroy(true); }
    HWND Open() {
        const auto instance = GetModuleHandleA(nullptr);
        RegisterWindowClass(instance, kTestClass, GetSysColorBrush(COLOR_BTNFACE));
        return Create(instance, kTestClass, "test", WS_OVERLAPPEDWINDOW, 0, RECT{0, 0, 200, 100}, nullptr);
    }
    int closesAsked = 0;

private:
    void OnCreate() override {
        if (failCreation_) throw std::runtime_error("The window cannot be built.");
        for (int id : {kButtonA, kButtonB}) {
            CreateWindowExA(0, "BUTTON", "b", WS_CHILD, 0, 0, 10, 10, Handle(),
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
        }
    }
    bool OnClose() override {
        ++closesAsked;
        return true;
    }
    bool failCreation_;
};

// Runs this thread's messages until the quit message arrives; false after `ms`.
bool RunUntilQuit(int ms) {
    const DWORD end = GetTickCount() + static_cast<DWORD>(ms);
    while (GetTickCount() < end) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) return true;
            DispatchMessageA(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return false;
}

TEST(Window, AnExceptionWhileBuildingIsReportedAndFailsTheCreation) {
    BoxAnswerer answerer;
    TestWindow window(true);
    EXPECT_EQ(window.Open(), nullptr);
    EXPECT_EQ(window.Handle(), nullptr);
    EXPECT_EQ(answerer.Join(), "The window cannot be built.");
}

TEST(Window, CommandsReachTheHandlerOfTheirControlAndCode) {
    TestWindow window;
    ASSERT_NE(window.Open(), nullptr);
    std::string seen;
    window.OnCommand(kButtonA, BN_CLICKED, [&] { seen += "A"; });
    window.OnCommand(kButtonB, BN_CLICKED, [&] { seen += "B"; });
    window.OnCommand(kButtonB, BN_SETFOCUS, [&] { seen += "b"; });
    for (int id : {kButtonB, kButtonA}) {
        SendMessageA(window.Handle(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(window.Handle(), id)));
    }
    SendMessageA(window.Handle(), WM_COMMAND, MAKEWPARAM(kButtonA, BN_SETFOCUS), 0);
    EXPECT_EQ(seen, "BA");
    DestroyWindow(window.Handle());
    EXPECT_TRUE(RunUntilQuit(1000));
}

TEST(Window, AnExceptionInAHandlerIsReportedAndTheWindowLivesOn) {
    TestWindow window;
    ASSERT_NE(window.Open(), nullptr);
    window.OnCommand(kButtonA, BN_CLICKED, [] { throw std::runtime_error("Disk full."); });
    BoxAnswerer answerer;
    SendMessageA(window.Handle(), WM_COMMAND, MAKEWPARAM(kButtonA, BN_CLICKED), 0);
    EXPECT_EQ(answerer.Join(), "Disk full.");
    EXPECT_TRUE(IsWindow(window.Handle()));
    DestroyWindow(window.Handle());
    EXPECT_TRUE(RunUntilQuit(1000));
}

TEST(Window, ACloseDuringAModalMessageBoxWaitsUntilTheHandlerHasReturned) {
    TestWindow window;
    const HWND hwnd = window.Open();
    ASSERT_NE(hwnd, nullptr);
    bool aliveAfterBox = false;
    window.OnCommand(kButtonA, BN_CLICKED, [&] {
        BoxAnswerer answerer([hwnd] { PostMessageA(hwnd, WM_CLOSE, 0, 0); });
        MessageBoxA(hwnd, "Wait", "Test", MB_OK);
        aliveAfterBox = IsWindow(hwnd) && window.Handle() == hwnd;
    });
    PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(kButtonA, BN_CLICKED), 0);
    EXPECT_TRUE(RunUntilQuit(15000)) << "the close was carried out afterwards and ended the loop";
    EXPECT_TRUE(aliveAfterBox);
    EXPECT_EQ(window.closesAsked, 1);
    EXPECT_FALSE(IsWindow(hwnd));
}

TEST(Window, WorkFromAnotherThreadRunsOnTheWindowsThread) {
    TestWindow window;
    ASSERT_NE(window.Open(), nullptr);
    DWORD ranOn = 0;
    std::thread([&] { window.Dispatcher().Post([&] { ranOn = GetCurrentThreadId(); }); }).join();
    window.CloseLater();
    EXPECT_TRUE(RunUntilQuit(2000));
    EXPECT_EQ(ranOn, GetCurrentThreadId());
}

TEST(ControlHandles, FindTheControlsOfATableAsGetDlgItemDoes) {
    TestWindow window;
    ASSERT_NE(window.Open(), nullptr);
    const ControlRow rows[] = {
        {"STATIC", "first", 21, 0, 0, 40, 10, kLabel},
        {"EDIT", "", 22, 0, 12, 40, 10, kEdit},
        {"STATIC", "second of an id", 21, 0, 24, 40, 10, kLabel},
    };
    ControlHandles handles;
    CreateControls(window.Handle(), rows, nullptr, handles);
    for (int id : {21, 22}) {
        ASSERT_NE(handles.Find(id), nullptr);
        EXPECT_EQ(handles.Find(id), GetDlgItem(window.Handle(), id)) << id;
    }
    EXPECT_EQ(handles.Find(23), nullptr);
    DestroyWindow(window.Handle());
    EXPECT_TRUE(RunUntilQuit(1000));
}

}  // namespace
}  // namespace wmb::ui
