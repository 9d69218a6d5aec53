#include "platform/win32/wrappers/error_handler.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>

namespace wmb {
namespace {

struct SeenBox {
    bool shown = false;
    std::string caption;
    std::string text;
};

BOOL CALLBACK TakeDialog(HWND hwnd, LPARAM out) {
    char cls[16] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    if (std::string(cls) != "#32770") return TRUE;
    *reinterpret_cast<HWND*>(out) = hwnd;
    return FALSE;
}

HWND FindMessageBox(DWORD threadId) {
    HWND found = nullptr;
    EnumThreadWindows(threadId, &TakeDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

// Watches the calling thread for a message box, notes what it shows and presses `button` on it.
class BoxCloser {
public:
    explicit BoxCloser(int button = IDOK) {
        const DWORD owner = GetCurrentThreadId();
        watcher_ = std::thread([this, owner, button] {
            for (int i = 0; i < 500; ++i) {
                if (const HWND box = FindMessageBox(owner)) {
                    char text[512] = {};
                    GetWindowTextA(box, text, sizeof text);
                    seen_.caption = text;
                    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
                    seen_.text = text;
                    seen_.shown = true;
                    PostMessageA(box, WM_COMMAND, button, 0);
                    return;
                }
                if (done_) return;
                Sleep(20);
            }
        });
    }
    ~BoxCloser() { Finish(); }
    const SeenBox& Finish() {
        done_ = true;
        if (watcher_.joinable()) watcher_.join();
        return seen_;
    }

private:
    std::atomic<bool> done_{false};
    SeenBox seen_;
    std::thread watcher_;
};

TEST(Guarded, ReturnsTheHandlersResultWithoutAnyMessage) {
    BoxCloser closer;
    EXPECT_EQ(Guarded(nullptr, [] { return 5; }, -1), 5);
    int calls = 0;
    EXPECT_EQ(Guarded(nullptr, [&] { ++calls; }, 9), 9) << "a handler without result gives the fallback";
    EXPECT_EQ(calls, 1);
    EXPECT_FALSE(closer.Finish().shown);
}

TEST(Guarded, ReportsAnExceptionsTextAndReturnsTheFallback) {
    BoxCloser closer;
    EXPECT_EQ(Guarded(nullptr, []() -> LRESULT { throw std::runtime_error("Cannot write C:\\x: Access denied."); }, 0),
              0);
    const SeenBox& box = closer.Finish();
    ASSERT_TRUE(box.shown);
    EXPECT_EQ(box.caption, kErrorCaption);
    EXPECT_EQ(box.text, "Cannot write C:\\x: Access denied.");
}

TEST(Guarded, ReportsAnythingElseAsAnUnknownError) {
    {
        BoxCloser closer;
        EXPECT_EQ(Guarded(nullptr, []() -> LRESULT { throw 42; }, 3), 3);
        EXPECT_EQ(closer.Finish().text, kUnknownErrorText);
    }
    {
        BoxCloser closer;
        EXPECT_EQ(Guarded(nullptr, []() -> LRESULT { throw std::runtime_error(""); }, 3), 3);
        EXPECT_EQ(closer.Finish().text, kUnknownErrorText) << "an empty text says nothing";
    }
}

TEST(MessageBoxText, ShowsTheTextsAndReturnsTheButtonPressed) {
    BoxCloser closer(IDYES);
    EXPECT_EQ(MessageBoxText(nullptr, "Restore the original Wildmere settings?", "Question", MB_YESNO), IDYES);
    const SeenBox& box = closer.Finish();
    EXPECT_EQ(box.caption, "Question");
    EXPECT_EQ(box.text, "Restore the original Wildmere settings?");
}

}  // namespace
}  // namespace wmb
