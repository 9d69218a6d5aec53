#include "ui/crash_dialog.h"

#include "platform/win32/file_system_win32.h"
#include "ui/resource.h"
#include "ui/shell_dialogs.h"

namespace wmb::ui {
namespace {

constexpr int kWidth = 520;
constexpr int kHeight = 430;
// The vertical layout below the summary, at 96 DPI: the gaps and heights of the report, the send status
// and the buttons, and the margin under them.
constexpr int kTop = 10;
constexpr int kSummaryGap = 6;
constexpr int kReportHeight = 200;
constexpr int kReportGap = 8;
constexpr int kStatusHeight = 16;
constexpr int kStatusGap = 6;
constexpr int kButtonHeight = 25;
constexpr int kBottom = 9;
constexpr int kTextWidth = 500;

const ControlRow kLayout[] = {
    {"STATIC", "", IDC_CRASHSUMMARY, 10, 10, 500, 150, kLabel | SS_NOPREFIX},
    {"EDIT", "", IDC_CRASHREPORT, 10, 166, 500, 200,
     kChild | WS_TABSTOP | WS_BORDER | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL},
    {"STATIC", "", IDC_CRASHSENDSTATUS, 10, 374, 500, 16, kLabel | SS_NOPREFIX},
    {"BUTTON", "&Send report", IDC_CRASHSEND, 196, 396, 100, 25, kButton},
    {"BUTTON", "S&ave report...", IDC_CRASHSAVE, 303, 396, 100, 25, kButton},
    {"BUTTON", "Close", IDC_CRASHCLOSE, 410, 396, 100, 25, kButton | BS_DEFPUSHBUTTON},
};

}  // namespace

void CrashDialog::Show(HINSTANCE instance, const CrashDetails& details) {
    details_ = details;
    font_.Reset(MakeFont(11, FW_NORMAL));
    if (!CreateDialogWindow(instance, nullptr, kCrashDialogClass, kCrashDialogCaption, kWidth, kHeight,
                            GetSysColorBrush(COLOR_BTNFACE))) {
        return;
    }
    SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ShowModal();
    DestroyWindow(Handle());
}

void CrashDialog::OnCreate() {
    CreateControls(Handle(), kLayout, font_.Get(), controls_);
    const std::string summary = CrashDialogText(details_.Facts, details_.ReportPath, details_.DumpPath);
    SetWindowTextA(controls_.Find(IDC_CRASHSUMMARY), summary.c_str());
    SetWindowTextA(controls_.Find(IDC_CRASHREPORT), details_.ReportText.c_str());
    FitToSummary(summary);
    EnableWindow(controls_.Find(IDC_CRASHSEND), sender_ != nullptr);
    OnCommand(IDC_CRASHSEND, BN_CLICKED, [this] { Send(); });
    OnCommand(IDC_CRASHSAVE, BN_CLICKED, [this] { Save(); });
    OnCommand(IDC_CRASHCLOSE, BN_CLICKED, [this] { EndModal(IDCANCEL); });
    OnCommand(IDCANCEL, BN_CLICKED, [this] { EndModal(IDCANCEL); });
    OnCommand(IDOK, BN_CLICKED, [this] { EndModal(IDCANCEL); });
}

void CrashDialog::FitToSummary(const std::string& summary) {
    // The summary's lines depend on the fault, the paths and the font: its area is as high as the text
    // measures, and everything below it moves down with it.
    const HWND summaryControl = controls_.Find(IDC_CRASHSUMMARY);
    const int width = Scaled(kTextWidth);
    const int summaryHeight = WrappedTextHeight(summaryControl, font_.Get(), summary, width);
    const int left = Scaled(10);
    int y = Scaled(kTop);
    const auto place = [](HWND control, int x, int top, int w, int h) {
        SetWindowPos(control, nullptr, x, top, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
    };
    place(summaryControl, left, y, width, summaryHeight);
    y += summaryHeight + Scaled(kSummaryGap);
    place(controls_.Find(IDC_CRASHREPORT), left, y, width, Scaled(kReportHeight));
    y += Scaled(kReportHeight + kReportGap);
    place(controls_.Find(IDC_CRASHSENDSTATUS), left, y, width, Scaled(kStatusHeight));
    y += Scaled(kStatusHeight + kStatusGap);
    for (const ControlRow& row : kLayout) {
        if (std::string(row.ClassName) == "BUTTON") {
            place(controls_.Find(row.Id), Scaled(row.X), y, Scaled(row.W), Scaled(kButtonHeight));
        }
    }
    y += Scaled(kButtonHeight + kBottom);

    RECT outer{0, 0, Scaled(kWidth), y};
    AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongPtrA(Handle(), GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrA(Handle(), GWL_EXSTYLE)));
    SetWindowPos(Handle(), nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CrashDialog::SetSendStatus(const std::string& text) const {
    SetWindowTextA(controls_.Find(IDC_CRASHSENDSTATUS), text.c_str());
}

void CrashDialog::Send() {
    const HWND button = controls_.Find(IDC_CRASHSEND);
    EnableWindow(button, FALSE);
    SetSendStatus("Sending the report...");
    sender_(details_.ReportText, [this, button](const std::string& problem) {
        SetSendStatus(problem.empty() ? "The report was sent. Thank you." : "The report could not be sent: " + problem);
        if (!problem.empty()) EnableWindow(button, TRUE);
    });
}

void CrashDialog::Save() {
    std::string path = details_.ReportPath.empty() ? std::string("crash.txt")
                                                    : details_.ReportPath.substr(details_.ReportPath.rfind('\\') + 1);
    if (!ChooseSaveFile(Handle(), "Text files (*.txt)\0*.txt\0All files (*.*)\0*.*\0", "txt", path)) return;
    try {
        Win32FileSystem().WriteFile(path, details_.ReportText);
        SetSendStatus("The report was saved as " + path + ".");
    } catch (const std::exception&) {
        SetSendStatus("The report could not be saved as " + path + ".");
    }
}

}  // namespace wmb::ui
