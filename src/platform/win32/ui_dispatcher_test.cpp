#include "platform/win32/wrappers/ui_dispatcher.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/win32/platform_test_support.h"

namespace wmb {
namespace {

using namespace std::chrono_literals;

TEST(UiDispatcher, WorkFromAWorkerRunsOnTheWindowsThreadInTheOrderPosted) {
    test::MessageWindow window;
    UiDispatcher dispatcher(window.Get());
    std::vector<int> order;
    std::vector<DWORD> threads;
    std::thread worker([&] {
        for (int i = 0; i < 3; ++i) {
            EXPECT_TRUE(dispatcher.Post([&, i] {
                order.push_back(i);
                threads.push_back(GetCurrentThreadId());
            }));
        }
    });
    worker.join();
    EXPECT_TRUE(order.empty()) << "nothing runs before the window's thread takes its messages";
    for (int i = 0; i < 3; ++i) {
        const auto msg = test::WaitForMessage(window.Get(), kDispatchMessage, 5s);
        ASSERT_TRUE(msg.has_value());
        UiDispatcher::Execute(msg->lParam);
    }
    EXPECT_EQ(order, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(threads, std::vector<DWORD>(3, GetCurrentThreadId()));
}

TEST(UiDispatcher, WorkForAWindowThatGoesAwayIsDroppedAndFreed) {
    auto token = std::make_shared<int>(0);
    HWND gone = nullptr;
    {
        test::MessageWindow window;
        gone = window.Get();
        UiDispatcher dispatcher(window.Get());
        ASSERT_TRUE(dispatcher.Post([token] { *token = 1; }));
        EXPECT_EQ(token.use_count(), 2);
        UiDispatcher::DiscardPending(window.Get());
    }
    EXPECT_EQ(token.use_count(), 1);
    EXPECT_EQ(*token, 0);
    EXPECT_FALSE(UiDispatcher(gone).Post([token] { *token = 2; }));
    EXPECT_EQ(token.use_count(), 1);
}

// Takes this thread's messages until `done` or the deadline.
bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        MSG msg{};
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    return true;
}

TEST(UiDispatcher, SentWorkRunsOnTheWindowsThreadWhileTheWorkerWaits) {
    DispatchWindow window;
    const UiDispatcher dispatcher = window.Dispatcher();
    std::vector<std::string> steps;
    DWORD ranOn = 0;
    std::atomic<bool> finished = false;
    std::thread worker([&] {
        const bool sent = dispatcher.Send([&] {
            ranOn = GetCurrentThreadId();
            steps.push_back("ran");
        });
        steps.push_back(sent ? "returned after it ran" : "not sent");
        finished = true;
    });
    ASSERT_TRUE(PumpUntil([&] { return finished.load(); }, 5s));
    worker.join();
    EXPECT_EQ(steps, (std::vector<std::string>{"ran", "returned after it ran"}));
    EXPECT_EQ(ranOn, GetCurrentThreadId());

    int mine = 0;
    EXPECT_TRUE(dispatcher.Send([&] { ++mine; })) << "from the window's own thread it runs at once";
    EXPECT_EQ(mine, 1);
}

TEST(UiDispatcher, WorkForAGoneWindowIsNeitherSentNorPosted) {
    HWND gone = nullptr;
    auto token = std::make_shared<int>(0);
    {
        DispatchWindow window;
        gone = window.Dispatcher().Window();
        ASSERT_TRUE(window.Dispatcher().Post([token] { *token = 1; }));
    }
    EXPECT_EQ(token.use_count(), 1) << "the window freed what was still queued";
    int ran = 0;
    EXPECT_FALSE(UiDispatcher(gone).Send([&] { ++ran; }));
    EXPECT_FALSE(UiDispatcher(nullptr).Send([&] { ++ran; }));
    EXPECT_EQ(ran, 0);
    EXPECT_EQ(*token, 0);
}

}  // namespace
}  // namespace wmb
