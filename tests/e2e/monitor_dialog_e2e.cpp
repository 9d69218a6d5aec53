// The monitor resolutions dialog: the display's modes once each, "Add" taking the first checked one into
// the custom resolution, the close button changing nothing, and the checks lost when the dialog loses
// and regains the focus.

#include <algorithm>
#include <set>

#include "e2e/bench_fixture.h"
#include "ui/resource.h"

namespace wmb::e2e {
namespace {

class MonitorDialogE2E : public BenchTest {
protected:
    void SetUp() override {
        BenchTest::SetUp();
        PointAtGame();
        StartProgram();
        ShowPage(2);
        SetCheck(Ctl(IDC_CUSRESBOX), true);
    }
    HWND Open() {
        Click(Ctl(IDC_CUSPOSSIBILITIES));
        HWND dialog = WaitForTopWindow(app_->ProcessId(), "Monitor Resolutions", 10000);
        EXPECT_NE(dialog, nullptr) << "no monitor resolutions dialog";
        return dialog;
    }
    bool Closed(HWND dialog) {
        return WaitUntil([&] { return !IsWindowVisible(dialog) && IsWindowEnabled(main_); }, 10000);
    }
};

TEST_F(MonitorDialogE2E, AddTakesTheFirstCheckedModeIntoTheCustomResolution) {
    const std::string customFlag = Setting("CusRes");
    HWND dialog = Open();
    ASSERT_NE(dialog, nullptr);
    HWND list = FindControl(dialog, IDC_MONITORLIST);
    const std::vector<std::string> modes = ListViewItems(list);
    EXPECT_GT(modes.size(), 5u);
    EXPECT_EQ(std::set<std::string>(modes.begin(), modes.end()).size(), modes.size()) << "a mode listed twice";
    const auto it = std::find(modes.begin(), modes.end(), "1280 x 1024");
    ASSERT_NE(it, modes.end());
    ASSERT_NE(it + 1, modes.end());
    const int index = static_cast<int>(it - modes.begin());
    SetListViewCheck(list, index + 1, true);  // the one below it loses to it
    SetListViewCheck(list, index, true);
    Click(FindControl(dialog, IDC_MONITORADD));
    ASSERT_TRUE(Closed(dialog));

    EXPECT_EQ(GetText(Ctl(IDC_CUSWIDTH)), "1280");
    EXPECT_EQ(GetText(Ctl(IDC_CUSHEIGHT)), "1024");
    EXPECT_EQ(Setting("CusW"), "1280");
    EXPECT_EQ(Setting("CusH"), "1024");
    EXPECT_EQ(Setting("CusRes"), customFlag);
    EXPECT_TRUE(IsChecked(Ctl(IDC_CUSRESBOX)));

    // The close button changes nothing.
    dialog = Open();
    list = FindControl(dialog, IDC_MONITORLIST);
    EXPECT_FALSE(ListViewChecked(list, index));  // a new showing starts unchecked
    SetListViewCheck(list, 0, true);
    Click(FindControl(dialog, IDC_MONITORCLOSE));
    ASSERT_TRUE(Closed(dialog));
    EXPECT_EQ(GetText(Ctl(IDC_CUSWIDTH)), "1280");
    EXPECT_EQ(Setting("CusW"), "1280");
}

TEST_F(MonitorDialogE2E, ChecksAreLostWhenAnotherWindowTookTheFocus) {
    HWND dialog = Open();
    ASSERT_NE(dialog, nullptr);
    HWND list = FindControl(dialog, IDC_MONITORLIST);
    SetListViewCheck(list, 0, true);
    ASSERT_TRUE(ListViewChecked(list, 0));

    // Another program's window takes the foreground and gives it back; each step waits until the program's
    // own thread has seen it (its active window), pumping this thread's messages meanwhile.
    HWND other = CreateWindowExA(0, "STATIC", "another program", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                                 nullptr, nullptr, nullptr);
    const auto programActive = [&] {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        return GetGUIThreadInfo(app_->MainThreadId(), &info) ? info.hwndActive : nullptr;
    };
    SetForegroundWindow(other);
    ASSERT_TRUE(WaitUntil([&] { return programActive() != dialog; }, 5000)) << "the dialog stayed active";
    SetForegroundWindow(dialog);
    ASSERT_TRUE(WaitUntil([&] { return programActive() == dialog; }, 5000)) << "the dialog was not activated again";
    DestroyWindow(other);
    EXPECT_TRUE(WaitUntil([&] { return !ListViewChecked(list, 0); }, 5000)) << "the check survived";
    EXPECT_FALSE(ListViewItems(list).empty());
    Click(FindControl(dialog, IDC_MONITORCLOSE));
    EXPECT_TRUE(Closed(dialog));
}

}  // namespace
}  // namespace wmb::e2e
