#include "ui/main_window.h"

#include <commctrl.h>
#include <shellapi.h>

#include <stdexcept>

#include "platform/win32/error_handler.h"
#include "run/run_controller.h"
#include "ui/app_services.h"
#include "ui/main_layout.h"
#include "ui/resource.h"
#include "ui/status_bar.h"

namespace wmb::ui {
namespace {

constexpr int kClientWidth = 538;
constexpr int kClientHeight = 454;
constexpr int kTopHeight = 72;
constexpr int kTabTop = 78;
constexpr int kTabHeight = 262;
constexpr int kBenchTop = 348;
constexpr const char* kPageClass = "WildmereBenchPage";
constexpr UINT_PTR kSequenceTimer = 1;
constexpr const char* kPanelText =
    "You can abort the benchmark between resolution changes. To abort a test, all you have to do is clicking the "
    "\"Abort Test\" button. The test will abort itself only at the next resolution changing!";

HFONT MakeFont(int height, int weight, const char* face = "MS Sans Serif") {
    return CreateFontA(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, face);
}

HWND MakeChild(HWND parent, const char* cls, const char* text, DWORD style, int x, int y, int w, int h, int id,
               HFONT font) {
    // Clipped by their siblings, so the abort panel stays on top of them while it is shown.
    HWND c = CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, x, y, w, h, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    SendMessageA(c, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return c;
}

}  // namespace

MainWindow::MainWindow() = default;

MainWindow::~MainWindow() {
    for (HFONT f : {font_, boldFont_, buttonFont_, titleFont_}) {
        if (f) DeleteObject(f);
    }
}

HWND MainWindow::Create(HINSTANCE instance) {
    instance_ = instance;
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDR_MAINICON));
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = kMainWindowClass;
    RegisterClassExA(&wc);

    WNDCLASSEXA pc{};
    pc.cbSize = sizeof(pc);
    pc.lpfnWndProc = PageProc;
    pc.hInstance = instance;
    pc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    pc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    pc.lpszClassName = kPageClass;
    RegisterClassExA(&pc);

    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    RECT r{0, 0, kClientWidth, kClientHeight};
    AdjustWindowRectEx(&r, style, FALSE, 0);
    const int w = r.right - r.left;
    const int h = r.bottom - r.top;
    const int x = (GetSystemMetrics(SM_CXSCREEN) - w) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - h) / 2;
    hwnd_ = CreateWindowExA(0, kMainWindowClass, "", style, x, y, w, h, nullptr, nullptr, instance, this);
    return hwnd_;
}

LRESULT CALLBACK MainWindow::WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    MainWindow* self = nullptr;
    if (msg == WM_NCCREATE) {
        self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<MainWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    }
    if (!self) return DefWindowProcA(hwnd, msg, wp, lp);
    return Guarded(hwnd, [&] { return self->HandleMessage(msg, wp, lp); }, 0);
}

// Pages pass their controls' notifications on to the main window.
LRESULT CALLBACK MainWindow::PageProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_HSCROLL:
    case WM_VSCROLL:
        return SendMessageA(GetAncestor(hwnd, GA_ROOT), msg, wp, lp);
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        SetBkMode(reinterpret_cast<HDC>(wp), TRANSPARENT);
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    default:
        return DefWindowProcA(hwnd, msg, wp, lp);
    }
}

// The custom-resolution check box reports the mouse pointer leaving it, which stores its flag.
LRESULT CALLBACK MainWindow::CusResBoxProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<MainWindow*>(data);
    if (msg == WM_MOUSEMOVE) {
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, hwnd, 0};
        TrackMouseEvent(&track);
    } else if (msg == WM_MOUSELEAVE && self->app_) {
        Guarded(self->hwnd_, [self] { self->WriteCustomResolutionFlag(); }, 0);
    }
    return DefSubclassProc(hwnd, msg, wp, lp);
}

LRESULT MainWindow::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE:
        CreateChildren();
        FormCreate();
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wp) != WA_INACTIVE) FormActivate();
        break;
    case WM_COMMAND:
        OnCommand(LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp));
        return 0;
    case WM_NOTIFY: {
        const auto* hdr = reinterpret_cast<const NMHDR*>(lp);
        if (hdr->idFrom == IDC_TABS && hdr->code == TCN_SELCHANGE) {
            const int index = static_cast<int>(SendMessageA(tabs_, TCM_GETCURSEL, 0, 0));
            ShowPage(index);
            return 0;
        }
        break;
    }
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd_, &ps);
        PaintTopArea(dc);
        EndPaint(hwnd_, &ps);
        return 0;
    }
    case WM_CTLCOLORSTATIC:
        SetBkMode(reinterpret_cast<HDC>(wp), TRANSPARENT);
        return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
    case WM_DRAWITEM: {
        const auto* di = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
        if (di->CtlID == IDC_IMAGE2) {
            HBRUSH red = CreateSolidBrush(RGB(200, 30, 30));
            FillRect(di->hDC, &di->rcItem, red);
            DeleteObject(red);
            SetBkMode(di->hDC, TRANSPARENT);
            SetTextColor(di->hDC, RGB(255, 255, 255));
            HGDIOBJ old = SelectObject(di->hDC, buttonFont_);
            RECT rc = di->rcItem;
            DrawTextA(di->hDC, "Abort Test", -1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            SelectObject(di->hDC, old);
            return TRUE;
        }
        break;
    }
    case WM_SETCURSOR: {
        const int id = GetDlgCtrlID(reinterpret_cast<HWND>(wp));
        if (id == IDC_IMAGE2 || id == IDC_PARTNERLOGO) {
            SetCursor(LoadCursor(nullptr, IDC_HAND));
            return TRUE;
        }
        break;
    }
    case kProcessEndedMessage:
        OnProcessEnded(wp);
        return 0;
    case WM_COPYDATA:
        // A second start hands over its command line; the program takes no options, so nothing follows.
        return TRUE;
    case WM_TIMER:
        if (wp == kSequenceTimer) {
            KillTimer(hwnd_, kSequenceTimer);
            if (app_) app_->Controller().OnTimer();
            return 0;
        }
        break;
    case WM_CLOSE:
        // A running sequence ends first; when the game still runs the close follows its end.
        if (!app_ || app_->Controller().RequestClose()) DestroyWindow(hwnd_);
        return 0;
    case WM_QUERYENDSESSION:
        if (app_) app_->Controller().RequestClose();
        return TRUE;
    case WM_ENDSESSION:
        if (wp && app_) {
            app_->Controller().EndNow();
            DestroyWindow(hwnd_);
        }
        return 0;
    case WM_DESTROY:
        FormDestroy();
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcA(hwnd_, msg, wp, lp);
}

void MainWindow::CreateChildren() {
    font_ = MakeFont(-11, FW_NORMAL);
    boldFont_ = MakeFont(-13, FW_BOLD);
    buttonFont_ = MakeFont(-16, FW_BOLD);
    titleFont_ = MakeFont(-26, FW_BOLD, "Arial");

    MakeChild(hwnd_, "BUTTON", "Homepage", BS_PUSHBUTTON, 446, 4, 86, 20, IDC_HOMEPAGE, font_);
    MakeChild(hwnd_, "BUTTON", "Update", BS_PUSHBUTTON, 446, 26, 86, 20, IDC_UPDATE, font_);
    MakeChild(hwnd_, "BUTTON", "Help", BS_PUSHBUTTON, 446, 48, 86, 20, IDC_HELPBUTTON, font_);
    MakeChild(hwnd_, "STATIC", "Kestrane", SS_NOTIFY | SS_CENTER | SS_CENTERIMAGE, 8, 14, 90, 44, IDC_PARTNERLOGO,
              boldFont_);

    tabs_ = MakeChild(hwnd_, WC_TABCONTROLA, "", WS_CLIPSIBLINGS | TCS_MULTILINE, 6, kTabTop, 526, kTabHeight,
                      IDC_TABS, font_);
    for (int i = 0; i < kPageCount; ++i) {
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(kPageTitles[i]);
        SendMessageA(tabs_, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
    }
    RECT area{6, kTabTop, 6 + 526, kTabTop + kTabHeight};
    SendMessageA(tabs_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    for (int i = 0; i < kPageCount; ++i) {
        pages_[i] = CreateWindowExA(WS_EX_CONTROLPARENT, kPageClass, kPageTitles[i], WS_CHILD | WS_CLIPSIBLINGS,
                                    area.left, area.top, area.right - area.left, area.bottom - area.top, hwnd_,
                                    nullptr, instance_, nullptr);
        CreatePageControls(pages_[i], i, font_, boldFont_);
        for (HWND c = GetWindow(pages_[i], GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
            const int id = GetDlgCtrlID(c);
            if (id > 0) controls_[id] = c;
        }
        SetWindowPos(pages_[i], HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    }
    ShowPage(0);
    SetWindowSubclass(Ctl(IDC_CUSRESBOX), CusResBoxProc, 1, reinterpret_cast<DWORD_PTR>(this));

    benchButton_ = MakeChild(hwnd_, "BUTTON", "Benchmark", BS_PUSHBUTTON | WS_TABSTOP, (kClientWidth - 247) / 2,
                             kBenchTop, 247, 42, IDC_BENCHBUTTON, buttonFont_);
    statusBar_ = CreateRedStatusBar(hwnd_, IDC_STATUSBAR, font_);
    CreateAbortPanel();
}

void MainWindow::CreateAbortPanel() {
    RECT bar;
    GetWindowRect(statusBar_, &bar);
    const int barHeight = bar.bottom - bar.top;
    panel_ = CreateWindowExA(0, "STATIC", "", WS_CHILD | SS_WHITERECT | SS_NOTIFY | WS_CLIPSIBLINGS, 0, 0, kClientWidth,
                             kClientHeight - barHeight, hwnd_, reinterpret_cast<HMENU>(IDC_PANEL1), instance_, nullptr);
    HWND abortButton = CreateWindowExA(0, "BUTTON", "Abort Test", WS_CHILD | BS_OWNERDRAW, (kClientWidth - 160) / 2, 120,
                                       160, 60, hwnd_, reinterpret_cast<HMENU>(IDC_IMAGE2), instance_, nullptr);
    HWND text = CreateWindowExA(0, "STATIC", kPanelText, WS_CHILD | SS_CENTER, 60, 200, kClientWidth - 120, 80, hwnd_,
                                reinterpret_cast<HMENU>(IDC_PANELTEXT), instance_, nullptr);
    SendMessageA(text, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    controls_[IDC_IMAGE2] = abortButton;
    controls_[IDC_PANELTEXT] = text;
}

void MainWindow::PaintTopArea(HDC dc) {
    RECT logo{110, 8, 440, 64};
    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ old = SelectObject(dc, titleFont_);
    SetTextColor(dc, RGB(0, 80, 160));
    DrawTextA(dc, "Wildmere Benchmark", -1, &logo, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(dc, old);
    RECT line{4, kTopHeight, kClientWidth - 4, kTopHeight + 2};
    DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
}

void MainWindow::ShowPage(int index) {
    SendMessageA(tabs_, TCM_SETCURSEL, index, 0);
    for (int i = 0; i < kPageCount; ++i) ShowWindow(pages_[i], i == index ? SW_SHOW : SW_HIDE);
}

void MainWindow::SetPageEnabled(int page, bool enabled) {
    EnableWindow(pages_[page], enabled);
}

// ---- SequenceWindow ----

void MainWindow::SetBenchButtonEnabled(bool enabled) { EnableWindow(benchButton_, enabled); }

void MainWindow::ShowAbortPanel(bool shown) {
    const int cmd = shown ? SW_SHOW : SW_HIDE;
    ShowWindow(panel_, cmd);
    ShowWindow(Ctl(IDC_IMAGE2), cmd);
    ShowWindow(Ctl(IDC_PANELTEXT), cmd);
    if (shown) {
        for (HWND w : {panel_, Ctl(IDC_IMAGE2), Ctl(IDC_PANELTEXT)}) {
            SetWindowPos(w, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        }
        RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
}

void MainWindow::SetStatus(const std::string& text) {
    SetStatusText(statusBar_, text);
    UpdateWindow(hwnd_);
}

void MainWindow::ShowMessage(const std::string& text) { MessageBoxA(hwnd_, text.c_str(), "Information", MB_OK); }

void MainWindow::StartTimer(int ms) { SetTimer(hwnd_, kSequenceTimer, static_cast<UINT>(ms), nullptr); }

void MainWindow::StopTimer() { KillTimer(hwnd_, kSequenceTimer); }

void MainWindow::CloseWindow() { PostMessageA(hwnd_, WM_CLOSE, 0, 0); }

void MainWindow::OpenDocument(const std::string& path) {
    ShellExecuteA(hwnd_, "open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

// ---- Controls ----

HWND MainWindow::Ctl(int id) const {
    auto it = controls_.find(id);
    if (it == controls_.end()) throw std::logic_error("unknown control " + std::to_string(id));
    return it->second;
}

std::string MainWindow::Text(int id) const {
    HWND c = Ctl(id);
    const int n = GetWindowTextLengthA(c);
    std::string s(static_cast<std::size_t>(n) + 1, '\0');
    GetWindowTextA(c, s.data(), n + 1);
    s.resize(static_cast<std::size_t>(n));
    return s;
}

void MainWindow::SetText(int id, const std::string& text) { SetWindowTextA(Ctl(id), text.c_str()); }

bool MainWindow::Checked(int id) const { return SendMessageA(Ctl(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void MainWindow::SetChecked(int id, bool checked) {
    SendMessageA(Ctl(id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void MainWindow::Enable(int id, bool enabled) { EnableWindow(Ctl(id), enabled); }

int MainWindow::RadioIndex(int firstId, int count) const {
    for (int i = 0; i < count; ++i) {
        if (Checked(firstId + i)) return i;
    }
    return -1;
}

void MainWindow::SetRadioIndex(int firstId, int count, int index) {
    for (int i = 0; i < count; ++i) SetChecked(firstId + i, i == index);
}

int MainWindow::ComboIndex(int id) const { return static_cast<int>(SendMessageA(Ctl(id), CB_GETCURSEL, 0, 0)); }

void MainWindow::SetComboIndex(int id, int index) { SendMessageA(Ctl(id), CB_SETCURSEL, index, 0); }

void MainWindow::SelectComboText(int id, const std::string& text) {
    const LRESULT i = SendMessageA(Ctl(id), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                   reinterpret_cast<LPARAM>(text.c_str()));
    if (i != CB_ERR) {
        SetComboIndex(id, static_cast<int>(i));
    } else {
        SetComboIndex(id, -1);
        SetText(id, text);
    }
}

}  // namespace wmb::ui
