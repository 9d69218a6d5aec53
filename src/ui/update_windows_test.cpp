#include "ui/update_wizard.h"
#include "ui/upgrade_offer_dialog.h"
#include "ui/layout.h"
#include "ui/resource.h"
#include "update/update_texts.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace wmb::ui {
namespace {

constexpr int kPanelHeight = 41;

// Runs `act` on the offer dialog once it is shown, from inside the dialog's own message loop.
std::function<void(HWND)> pendingAction;

void CALLBACK ActOnOffer(HWND, UINT, UINT_PTR timer, DWORD) {
    const HWND dialog = FindWindowA(kUpgradeOfferClass, nullptr);
    if (!dialog || !IsWindowVisible(dialog) || !pendingAction) return;
    KillTimer(nullptr, timer);
    auto act = std::move(pendingAction);
    pendingAction = nullptr;
    act(dialog);
}

bool AskOffer(const std::string& message, std::function<void(HWND)> act) {
    pendingAction = std::move(act);
    SetTimer(nullptr, 0, 20, ActOnOffer);
    UpgradeOfferDialog offer;
    return offer.Ask(GetModuleHandleA(nullptr), nullptr, static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)),
                     "Application update wizard", message, "&Yes", "&Later");
}

// The height of a line of the control's font.
int LineHeight(HWND control) {
    HDC dc = GetDC(control);
    const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return tm.tmHeight;
}

RECT RectInParent(HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

TEST(UpgradeOfferDialog, YesAnswersYesWhileLaterAndClosingAnswerNo) {
    const struct {
        const char* Way;
        std::function<void(HWND)> Act;
        bool Answer;
    } cases[] = {
        {"Yes", [](HWND d) { SendMessageA(GetDlgItem(d, IDOK), BM_CLICK, 0, 0); }, true},
        {"Later", [](HWND d) { SendMessageA(GetDlgItem(d, IDCANCEL), BM_CLICK, 0, 0); }, false},
        {"close box", [](HWND d) { PostMessageA(d, WM_SYSCOMMAND, SC_CLOSE, 0); }, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(AskOffer("A newer version of WildmereBench was released.", c.Act), c.Answer) << c.Way;
        EXPECT_EQ(FindWindowA(kUpgradeOfferClass, nullptr), nullptr) << c.Way << ": the dialog is gone";
    }
}

TEST(UpgradeOfferDialog, TheDialogGrowsWithItsMessageAndShowsEveryLine) {
    struct Seen {
        int ClientHeight = 0;
        int WindowWidth = 0;
        RECT Label{};
        RECT Yes{};
        int LineHeight = 0;
        bool Topmost = false;
    };
    const auto measure = [](Seen& seen) {
        return [&seen](HWND dialog) {
            RECT client{}, window{};
            GetClientRect(dialog, &client);
            GetWindowRect(dialog, &window);
            seen.ClientHeight = client.bottom;
            seen.WindowWidth = window.right - window.left;
            const HWND label = GetDlgItem(dialog, IDC_OFFERLABEL);
            seen.Label = RectInParent(label);
            seen.Yes = RectInParent(GetDlgItem(dialog, IDOK));
            seen.LineHeight = LineHeight(label);
            seen.Topmost = (GetWindowLongA(dialog, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
            SendMessageA(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
        };
    };
    std::string longMessage = "A newer version of WildmereBench was released.\n";
    for (int i = 1; i <= 12; ++i) longMessage += "\nVersion 1.9 brings change number " + std::to_string(i) + ".";
    longMessage += "\n\nDo you want to update your version with the latest one?";
    Seen shortSeen, longSeen;
    AskOffer("A newer version of WildmereBench was released.\n\nDo you want to update?", measure(shortSeen));
    AskOffer(longMessage, measure(longSeen));

    for (const Seen* seen : {&shortSeen, &longSeen}) {
        EXPECT_TRUE(seen->Topmost);
        EXPECT_EQ(seen->Label.right, seen->WindowWidth - Scaled(11)) << "wraps 11 pixels short of the width";
        EXPECT_EQ(seen->ClientHeight, seen->Label.bottom + Scaled(kPanelHeight)) << "the buttons' panel follows";
        EXPECT_GE(seen->Yes.top, seen->Label.bottom);
    }
    EXPECT_GE(longSeen.Label.bottom - longSeen.Label.top, 16 * longSeen.LineHeight);
    EXPECT_GE(longSeen.ClientHeight - shortSeen.ClientHeight, 13 * longSeen.LineHeight);
}

// Runs this thread's pending messages until `done` holds; false after `ms`.
bool PumpUntil(const std::function<bool()>& done, int ms) {
    const DWORD end = GetTickCount() + static_cast<DWORD>(ms);
    while (!done()) {
        if (GetTickCount() > end) return false;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

void PumpPending() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

TWizardTexts Texts() {
    TWizardTexts t;
    t.Caption = "Application update wizard";
    t.Title = "Downloading files...";
    t.CurrentFileGroup = " Current file ";
    t.AllFilesGroup = " All files ";
    t.DownloadingFrom = "Downloading file from";
    t.EstimatedTime = "Preparing. . .";
    t.Finish = "&Next >";
    t.Cancel = "&Cancel";
    t.FinishDone = "&OK";
    t.About = " AutoUpdater ";
    return t;
}

class Wizard : public ::testing::Test {
protected:
    HWND ShowWizard(bool hideFileLocation) {
        wizard.Show(GetModuleHandleA(nullptr), Texts(), hideFileLocation, true);
        return wizard.Handle();
    }
    HWND Item(int id) const { return GetDlgItem(wizard.Handle(), id); }
    std::string TextOf(int id) const {
        char text[256] = {};
        GetWindowTextA(Item(id), text, sizeof text);
        return text;
    }
    UpdateWizard wizard;
};

TEST_F(Wizard, HidingTheFileLocationMovesTheFiguresUpAndTheGroupDown) {
    const struct {
        int Id;
        int Top, HiddenTop;  // from the top of the current file's group
    } rows[] = {
        {IDC_WIZFROMLABEL, 14, -1}, {IDC_WIZFILEURL, 28, -1},        {IDC_WIZFILESIZE, 44, 14},
        {IDC_WIZRATE, 60, 30},      {IDC_WIZTIMELEFT, 76, 46},       {IDC_WIZFILEPROGRESS, 96, 66},
    };
    for (bool hide : {false, true}) {
        ASSERT_NE(ShowWizard(hide), nullptr);
        RECT client{};
        GetClientRect(wizard.Handle(), &client);
        EXPECT_EQ(client.right, Scaled(463));
        EXPECT_EQ(client.bottom, Scaled(281));
        const RECT group = RectInParent(Item(IDC_WIZCURRENTFILE));
        EXPECT_EQ(group.top, Scaled(hide ? 44 : 34)) << hide;
        EXPECT_EQ(group.bottom - group.top, Scaled(hide ? 95 : 125)) << hide;
        for (const auto& row : rows) {
            const int top = hide ? row.HiddenTop : row.Top;
            EXPECT_EQ(IsWindowVisible(Item(row.Id)) != FALSE, top >= 0) << row.Id << " hidden " << hide;
            if (top >= 0) {
                EXPECT_EQ(RectInParent(Item(row.Id)).top - group.top, Scaled(top)) << row.Id;
            }
        }
        wizard.Close();
    }
}

TEST_F(Wizard, TheCompletionPageLeavesOnlyTheEnabledFinishButton) {
    ASSERT_NE(ShowWizard(true), nullptr);
    EXPECT_FALSE(IsWindowEnabled(Item(IDC_WIZFINISH)));
    wizard.ShowCompletionPage(UpdateText(2), CompletedText("WildmereBench"));
    EXPECT_EQ(TextOf(IDC_WIZTITLE), "Download completed!");
    for (int group : {IDC_WIZCURRENTFILE, IDC_WIZFILESIZE, IDC_WIZFILEPROGRESS, IDC_WIZALLFILES, IDC_WIZALLPROGRESS}) {
        EXPECT_FALSE(IsWindowVisible(Item(group))) << group;
    }
    EXPECT_TRUE(IsWindowVisible(Item(IDC_WIZAFTERNOTE)));
    const RECT note = RectInParent(Item(IDC_WIZAFTERNOTE));
    EXPECT_GE(note.bottom - note.top, 3 * LineHeight(Item(IDC_WIZAFTERNOTE))) << "the note's three lines show";
    EXPECT_FALSE(IsWindowEnabled(Item(IDCANCEL)));
    EXPECT_TRUE(IsWindowEnabled(Item(IDC_WIZFINISH)));
    EXPECT_EQ(TextOf(IDC_WIZFINISH), "&OK");
    EXPECT_EQ(GetFocus(), Item(IDC_WIZFINISH));
}

TEST_F(Wizard, TheCloseBoxAndCancelAskAndOnlyAYesClosesWhileFinishClosesAtOnce) {
    int asked = 0;
    bool answer = false;
    std::string closed;
    wizard.OnCancelAsked = [&] {
        ++asked;
        return answer;
    };
    wizard.OnClosed = [&](bool finished) { closed += finished ? "finished" : "aborted"; };
    const struct {
        const char* Way;
        bool Answer;
        bool Completed;
        int Button;  // 0: the close box
        int Asked;
        const char* Closed;
    } cases[] = {
        {"close box, No", false, false, 0, 1, ""},
        {"Cancel, No", false, false, IDCANCEL, 1, ""},
        {"close box on the last page, No", false, true, 0, 1, ""},
        {"close box, Yes", true, false, 0, 1, "aborted"},
        {"Cancel, Yes", true, false, IDCANCEL, 1, "aborted"},
        {"Finish", false, true, IDC_WIZFINISH, 0, "finished"},
    };
    for (const auto& c : cases) {
        asked = 0;
        closed.clear();
        answer = c.Answer;
        const HWND hwnd = ShowWizard(true);
        ASSERT_NE(hwnd, nullptr);
        if (c.Completed) wizard.ShowCompletionPage(UpdateText(2), "Done.");
        if (c.Button) {
            SendMessageA(Item(c.Button), BM_CLICK, 0, 0);
        } else {
            PostMessageA(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
        }
        if (*c.Closed) {
            EXPECT_TRUE(PumpUntil([&] { return !IsWindow(hwnd); }, 5000)) << c.Way;
        } else {
            EXPECT_TRUE(PumpUntil([&] { return asked > 0; }, 5000)) << c.Way;
            PumpPending();
            EXPECT_TRUE(IsWindow(hwnd)) << c.Way;
        }
        EXPECT_EQ(asked, c.Asked) << c.Way;
        EXPECT_EQ(closed, c.Closed) << c.Way;
        EXPECT_EQ(wizard.Shown(), !*c.Closed) << c.Way;
        wizard.Close();
    }
}

}  // namespace
}  // namespace wmb::ui
