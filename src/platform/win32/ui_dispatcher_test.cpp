#include "platform/win32/wrappers/ui_dispatcher.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
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

}  // namespace
}  // namespace wmb
