#include "ui/update_wizard.h"

#include <commctrl.h>

#include <utility>

#include "ui/art/art_ids.h"
#include "ui/controls.h"
#include "ui/pictures.h"
#include "ui/resource.h"

namespace wmb::ui {
namespace {

constexpr int kClientWidth = 463;
constexpr int kClientHeight = 281;
constexpr int kGroupLeft = 136;
constexpr int kGroupWidth = 319;
constexpr int kCurrentFileTop = 34;
constexpr int kCurrentFileHeight = 125;
constexpr int kAllFilesTop = 162;
constexpr int kLabelWidth = 307;
constexpr int kLabelHeight = 13;
constexpr int kProgressHeight = 22;
// With the source address hidden the current file's group moves down and gets lower, and its figures
// move up to the place of the hidden label.
constexpr int kHiddenGroupShift = 10;
constexpr int kHiddenGroupShrink = 30;
constexpr int kFromTop = 14;
constexpr int kFileSizeTop = 44;
constexpr int kLineStep = 16;
constexpr int kProgressStep = 20;
// The picture's frame, the line above the buttons and the embossed text on it.
constexpr RECT kPanel{10, 10, 130, 230};
constexpr int kBevelLeft = 10;
constexpr int kBevelTop = 238;
constexpr int kBevelWidth = 447;
constexpr POINT kAboutShadow{31, 234};
constexpr POINT kAboutLabel{30, 233};
// Sent to itself to close: the window is destroyed once the click or question that asked for it is over.
constexpr UINT kClosingMessage = WM_APP + 0x61;

constexpr int kCurrentFileIds[] = {IDC_WIZCURRENTFILE, IDC_WIZFROMLABEL, IDC_WIZFILEURL, IDC_WIZFILESIZE,
                                   IDC_WIZRATE,        IDC_WIZTIMELEFT,  IDC_WIZFILEPROGRESS};
constexpr int kAllFilesIds[] = {IDC_WIZALLFILES, IDC_WIZALLDOWNLOADING, IDC_WIZALLPROGRESS};

const ControlRow kLayout[] = {
    {"STATIC", "", IDC_WIZTITLE, kGroupLeft, 10, kGroupWidth, 24, kLabel | SS_NOPREFIX},
    {"BUTTON", "", IDC_WIZCURRENTFILE, kGroupLeft, kCurrentFileTop, kGroupWidth, kCurrentFileHeight, kGroup},
    {"STATIC", "", IDC_WIZFROMLABEL, 0, 0, kLabelWidth, kLabelHeight, kLabel},
    {"EDIT", "", IDC_WIZFILEURL, 0, 0, kLabelWidth - 6, 14, kChild | ES_READONLY | ES_AUTOHSCROLL},
    {"STATIC", "", IDC_WIZFILESIZE, 0, 0, kLabelWidth, kLabelHeight, kLabel},
    {"STATIC", "", IDC_WIZRATE, 0, 0, kLabelWidth, kLabelHeight, kLabel},
    {"STATIC", "", IDC_WIZTIMELEFT, 0, 0, kLabelWidth, kLabelHeight, kLabel},
    {PROGRESS_CLASSA, "", IDC_WIZFILEPROGRESS, 0, 0, kLabelWidth, kProgressHeight, kChild},
    {"BUTTON", "", IDC_WIZALLFILES, kGroupLeft, kAllFilesTop, kGroupWidth, 67, kGroup},
    {"STATIC", "", IDC_WIZALLDOWNLOADING, kGroupLeft + 6, kAllFilesTop + 16, kLabelWidth, kLabelHeight, kLabel},
    {PROGRESS_CLASSA, "", IDC_WIZALLPROGRESS, kGroupLeft + 6, kAllFilesTop + 38, kLabelWidth, kProgressHeight, kChild},
    {"STATIC", "", IDC_WIZAFTERNOTE, kGroupLeft, 44, kGroupWidth, 0, WS_CHILD | SS_LEFT | SS_NOPREFIX},
    {"BUTTON", "", IDC_WIZFINISH, 296, 248, 75, 25, kButton | kDisabled},
    {"BUTTON", "", IDCANCEL, 380, 248, 75, 25, kChild | WS_TABSTOP | BS_DEFPUSHBUTTON},
};

}  // namespace

void UpdateWizard::Show(HINSTANCE instance, const TWizardTexts& texts, bool hideFileLocation, bool stayOnTop) {
    if (!Handle()) {
        const INITCOMMONCONTROLSEX classes{sizeof classes, ICC_PROGRESS_CLASS};
        InitCommonControlsEx(&classes);
        RegisterWindowClass(instance, kUpdateWizardClass, GetSysColorBrush(COLOR_BTNFACE));
        if (!font_) font_.Reset(MakeFont(11, FW_NORMAL));
        if (!titleFont_) titleFont_.Reset(MakeFont(19, FW_BOLD, "Times New Roman", true, FF_ROMAN));
        if (!picture_) picture_ = LoadPicture(instance, IDB_WIZARD);
        const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
        const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
        const SIZE size = WindowSizeForClient(kClientWidth, kClientHeight, style, exStyle);
        const int x = (GetSystemMetrics(SM_CXSCREEN) - size.cx) / 2;
        const int y = (GetSystemMetrics(SM_CYSCREEN) - size.cy) / 2;
        if (!Create(instance, kUpdateWizardClass, texts.Caption.c_str(), style, exStyle,
                    RECT{x, y, x + size.cx, y + size.cy}, nullptr)) {
            return;
        }
    }
    hideFileLocation_ = hideFileLocation;
    Fill(texts);
    Arrange();
    SetWindowPos(Handle(), stayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ShowWindow(Handle(), SW_SHOW);
    SetForegroundWindow(Handle());
    SetFocus(controls_.Find(IDCANCEL));
}

void UpdateWizard::Close() {
    if (Handle()) DestroyWindow(Handle());
}

void UpdateWizard::SetFileUrl(const std::string& url) const { SetText(IDC_WIZFILEURL, url); }
void UpdateWizard::SetAllDownloading(const std::string& text) const { SetText(IDC_WIZALLDOWNLOADING, text); }
void UpdateWizard::SetFileSize(const std::string& text) const { SetText(IDC_WIZFILESIZE, text); }
void UpdateWizard::SetTransferRate(const std::string& text) const { SetText(IDC_WIZRATE, text); }
void UpdateWizard::SetEstimatedTime(const std::string& text) const { SetText(IDC_WIZTIMELEFT, text); }
void UpdateWizard::SetFileProgress(int percent) const { SetProgress(IDC_WIZFILEPROGRESS, percent); }
void UpdateWizard::SetAllProgress(int percent) const { SetProgress(IDC_WIZALLPROGRESS, percent); }

void UpdateWizard::ShowCompletionPage(const std::string& doneTitle, const std::string& afterNote) {
    if (!Handle()) return;
    completed_ = true;
    SetText(IDC_WIZTITLE, doneTitle);
    ShowGroups(false);
    const HWND note = controls_.Find(IDC_WIZAFTERNOTE);
    SetWindowTextA(note, afterNote.c_str());
    SetWindowPos(note, nullptr, 0, 0, Scaled(kGroupWidth),
                 WrappedTextHeight(note, font_.Get(), afterNote, Scaled(kGroupWidth)),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(note, SW_SHOW);
    const HWND finish = controls_.Find(IDC_WIZFINISH);
    const HWND cancel = controls_.Find(IDCANCEL);
    SetWindowTextA(finish, finishDone_.c_str());
    SendMessageA(cancel, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    SendMessageA(finish, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    EnableWindow(finish, TRUE);
    SetFocus(finish);
    EnableWindow(cancel, FALSE);
}

void UpdateWizard::OnCreate() {
    controls_ = ControlHandles{};
    CreateControls(Handle(), kLayout, font_.Get(), controls_);
    SendMessageA(controls_.Find(IDC_WIZTITLE), WM_SETFONT, reinterpret_cast<WPARAM>(titleFont_.Get()), FALSE);
    // Key presses in the source address do nothing (it can be read, not typed into or copied).
    urlKeys_.emplace(controls_.Find(IDC_WIZFILEURL), [](UINT msg, WPARAM, LPARAM, LRESULT& result) {
        result = 0;
        return msg == WM_CHAR;
    });
    OnCommand(IDC_WIZFINISH, BN_CLICKED, [this] { PostMessageA(Handle(), kClosingMessage, TRUE, 0); });
    OnCommand(IDCANCEL, BN_CLICKED, [this] {
        if (IsWindowEnabled(controls_.Find(IDCANCEL))) AskToClose();
    });
}

void UpdateWizard::OnDestroy() { urlKeys_.reset(); }

bool UpdateWizard::OnClose() {
    AskToClose();
    return false;
}

void UpdateWizard::AskToClose() {
    if (OnCancelAsked && !OnCancelAsked()) return;
    if (Handle()) PostMessageA(Handle(), kClosingMessage, FALSE, 0);
}

LRESULT UpdateWizard::OnMessage(UINT msg, WPARAM wp, LPARAM lp, bool& handled) {
    switch (msg) {
    case kClosingMessage: {
        DestroyWindow(Handle());
        if (OnClosed) OnClosed(wp != FALSE);
        return 0;
    }
    case DM_GETDEFID:
        // Enter presses Cancel while the files come in and Finish on the last page.
        return MAKELRESULT(completed_ ? IDC_WIZFINISH : IDCANCEL, DC_HASDEFID);
    case WM_CTLCOLORSTATIC:
        if (reinterpret_cast<HWND>(lp) == controls_.Find(IDC_WIZFILEURL)) {
            const auto dc = reinterpret_cast<HDC>(wp);
            SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHT));
            SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        }
        break;
    case WM_PAINT:
        Paint();
        return 0;
    default:
        break;
    }
    handled = false;
    return 0;
}

void UpdateWizard::SetText(int id, const std::string& text) const {
    if (const HWND control = controls_.Find(id); control && Handle()) SetWindowTextA(control, text.c_str());
}

void UpdateWizard::SetProgress(int id, int percent) const {
    if (const HWND control = controls_.Find(id); control && Handle()) SendMessageA(control, PBM_SETPOS, percent, 0);
}

void UpdateWizard::Fill(const TWizardTexts& texts) {
    completed_ = false;
    about_ = texts.About;
    finishDone_ = texts.FinishDone;
    SetWindowTextA(Handle(), texts.Caption.c_str());
    const std::string kNoText;
    const std::pair<int, const std::string*> shown[] = {
        {IDC_WIZTITLE, &texts.Title},          {IDC_WIZCURRENTFILE, &texts.CurrentFileGroup},
        {IDC_WIZFROMLABEL, &texts.DownloadingFrom}, {IDC_WIZFILEURL, &kNoText},
        {IDC_WIZFILESIZE, &texts.FileSize},    {IDC_WIZRATE, &texts.TransferRate},
        {IDC_WIZTIMELEFT, &texts.EstimatedTime}, {IDC_WIZALLFILES, &texts.AllFilesGroup},
        {IDC_WIZALLDOWNLOADING, &texts.AllDownloading}, {IDC_WIZAFTERNOTE, &kNoText},
        {IDC_WIZFINISH, &texts.Finish},        {IDCANCEL, &texts.Cancel},
    };
    for (const auto& [id, text] : shown) SetText(id, *text);
    SetFileProgress(0);
    SetAllProgress(0);
    ShowWindow(controls_.Find(IDC_WIZAFTERNOTE), SW_HIDE);
    ShowGroups(true);
    const HWND finish = controls_.Find(IDC_WIZFINISH);
    const HWND cancel = controls_.Find(IDCANCEL);
    SendMessageA(finish, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    SendMessageA(cancel, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    EnableWindow(finish, FALSE);
    EnableWindow(cancel, TRUE);
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void UpdateWizard::Arrange() {
    const auto place = [this](int id, int x, int y, int w, int h) {
        const RECT r = ScaledRect(x, y, w, h);
        MoveWindow(controls_.Find(id), r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
    };
    const int top = kCurrentFileTop + (hideFileLocation_ ? kHiddenGroupShift : 0);
    const int height = kCurrentFileHeight - (hideFileLocation_ ? kHiddenGroupShrink : 0);
    place(IDC_WIZCURRENTFILE, kGroupLeft, top, kGroupWidth, height);
    const int left = kGroupLeft + 6;
    place(IDC_WIZFROMLABEL, left, top + kFromTop, kLabelWidth, kLabelHeight);
    place(IDC_WIZFILEURL, kGroupLeft + 10, top + kFromTop + 14, kLabelWidth - 6, 14);
    const int figures = top + (hideFileLocation_ ? kFromTop : kFileSizeTop);
    place(IDC_WIZFILESIZE, left, figures, kLabelWidth, kLabelHeight);
    place(IDC_WIZRATE, left, figures + kLineStep, kLabelWidth, kLabelHeight);
    place(IDC_WIZTIMELEFT, left, figures + 2 * kLineStep, kLabelWidth, kLabelHeight);
    place(IDC_WIZFILEPROGRESS, left, figures + 2 * kLineStep + kProgressStep, kLabelWidth, kProgressHeight);
    ShowGroups(!completed_);
}

void UpdateWizard::ShowGroups(bool shown) const {
    for (int id : kCurrentFileIds) {
        const bool hidden = hideFileLocation_ && (id == IDC_WIZFROMLABEL || id == IDC_WIZFILEURL);
        ShowWindow(controls_.Find(id), shown && !hidden ? SW_SHOW : SW_HIDE);
    }
    for (int id : kAllFilesIds) ShowWindow(controls_.Find(id), shown ? SW_SHOW : SW_HIDE);
}

void UpdateWizard::Paint() {
    PaintDc paint(Handle());
    const HDC dc = paint.Get();
    RECT panel = ScaledRect(kPanel.left, kPanel.top, kPanel.right - kPanel.left, kPanel.bottom - kPanel.top);
    DrawEdge(dc, &panel, BDR_SUNKENOUTER, BF_RECT);
    BITMAP bm{};
    if (picture_ && GetObjectA(picture_.Get(), sizeof bm, &bm)) {
        MemoryDc source(dc);
        SelectedObject selected(source.Get(), picture_.Get());
        SetStretchBltMode(dc, HALFTONE);
        StretchBlt(dc, panel.left + 1, panel.top + 1, panel.right - panel.left - 2, panel.bottom - panel.top - 2,
                   source.Get(), 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
    }
    RECT bevel = ScaledRect(kBevelLeft, kBevelTop, kBevelWidth, 2);
    DrawEdge(dc, &bevel, EDGE_ETCHED, BF_TOP);
    // The about text twice: in the highlight colour on the button face, cutting the line, then in the
    // shadow colour one pixel up and left over it.
    SelectedObject font(dc, font_.Get());
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    SetBkMode(dc, OPAQUE);
    SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
    const int length = static_cast<int>(about_.size());
    TextOutA(dc, Scaled(kAboutShadow.x), Scaled(kAboutShadow.y), about_.c_str(), length);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
    TextOutA(dc, Scaled(kAboutLabel.x), Scaled(kAboutLabel.y), about_.c_str(), length);
}

}  // namespace wmb::ui
