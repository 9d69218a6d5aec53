#include "e2e/autobench/update_windows_shot.h"

#include <windows.h>

#include <functional>

#include "e2e/window_driver.h"
#include "ui/gdi.h"
#include "ui/layout.h"
#include "ui/update_wizard.h"
#include "update/update_texts.h"
#include "ui/upgrade_offer_dialog.h"

namespace {

constexpr const char* kAppTitle = "WildmereBench";
constexpr DWORD kSettleMs = 500;

void PumpFor(DWORD ms) {
    const DWORD end = GetTickCount() + ms;
    while (GetTickCount() < end) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

// Under Wine what a window paints reaches the screen a little later: the picture is taken a while after
// the window has come up and painted everything.
void Redraw(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

// The offer is modal: a timer of the dialog's own message loop takes the picture and answers Later.
struct OfferShot {
    std::string Out;
    DWORD RedrawnAt = 0;
    bool Saved = false;
};
OfferShot offerShot;

void CALLBACK ShootOffer(HWND, UINT, UINT_PTR timer, DWORD) {
    const HWND dialog = FindWindowA(wmb::ui::kUpgradeOfferClass, nullptr);
    if (!dialog || !IsWindowVisible(dialog)) return;
    if (!offerShot.RedrawnAt) {
        Redraw(dialog);
        offerShot.RedrawnAt = GetTickCount();
    }
    if (GetTickCount() - offerShot.RedrawnAt < kSettleMs) return;
    KillTimer(nullptr, timer);
    offerShot.Saved = wmb::e2e::SaveScreenshot(offerShot.Out, dialog);
    PostMessageA(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
}

int ShootOfferDialog(const std::string& out, HFONT font) {
    offerShot = OfferShot{out};
    SetTimer(nullptr, 0, 50, ShootOffer);
    const std::string label = std::string("A newer version of ") + kAppTitle +
                              " was released.\n\nVersion 1.9 brings the timedemos of the harbour map, screenshots "
                              "in PNG format and a faster report.\n\nDo you want to update your version with the "
                              "latest one?";
    wmb::ui::UpgradeOfferDialog offer;
    offer.Ask(GetModuleHandleA(nullptr), nullptr, font, "Application update wizard", label, "&Yes", "&Later");
    return offerShot.Saved ? 0 : 1;
}

int ShootWizard(const std::string& out, bool done) {
    wmb::ui::TWizardTexts texts;
    texts.Caption = "Application update wizard";
    texts.Title = "Downloading files...";
    texts.CurrentFileGroup = " Current file ";
    texts.AllFilesGroup = " All files ";
    texts.DownloadingFrom = "Downloading file from";
    texts.EstimatedTime = "Preparing. . .";
    texts.Finish = "&Next >";
    texts.Cancel = "&Cancel";
    texts.FinishDone = "&OK";
    texts.About = " AutoUpdater ";
    wmb::ui::UpdateWizard wizard;
    wizard.Show(GetModuleHandleA(nullptr), texts, true, true);
    wizard.SetFileUrl("http://www.kestrane.com/benchmarks/wm/WildmereBench.exe");
    wizard.SetAllDownloading("Downloading 2 of 3");
    wizard.SetFileSize("File size: 1234.5 Kb");
    wizard.SetTransferRate("Transfer rate: 12.3 Kb/s");
    wizard.SetEstimatedTime("Estimated time left: 1:02:05");
    wizard.SetFileProgress(50);
    wizard.SetAllProgress(49);
    if (done) {
        wizard.ShowCompletionPage(wmb::UpdateText(2), wmb::CompletedText(kAppTitle));
    }
    PumpFor(kSettleMs);
    if (!wizard.Shown()) return 1;
    Redraw(wizard.Handle());
    PumpFor(kSettleMs);
    const bool saved = wmb::e2e::SaveScreenshot(out, wizard.Handle());
    wizard.Close();
    return saved ? 0 : 1;
}

}  // namespace

bool IsUpdateWindowPage(const std::string& page) {
    return page == "offer" || page == "wizard" || page == "wizard-done";
}

int ScreenshotUpdateWindow(const std::string& out, const std::string& page) {
    // The main window's font.
    const wmb::ui::Font font(CreateFontA(-wmb::ui::Scaled(11), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                         ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                         DEFAULT_PITCH | FF_SWISS, "MS Sans Serif"));
    if (page == "offer") return ShootOfferDialog(out, font.Get());
    return ShootWizard(out, page == "wizard-done");
}
