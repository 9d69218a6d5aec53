#include "ui/main_window.h"

#include <commctrl.h>
#include <shellapi.h>

#include "platform/win32/crash_handler.h"
#include "run/run_controller.h"
#include "ui/app_services.h"
#include "ui/art/art_ids.h"
#include "ui/crash_reporting.h"
#include "ui/layout.h"
#include "ui/pictures.h"
#include "ui/resource.h"
#include "ui/settings_binding.h"
#include "ui/status_bar.h"

namespace wmb::ui {
namespace {

constexpr int kClientWidth = 538;
constexpr int kClientHeight = 454;
constexpr int kTopHeight = 72;
constexpr int kTabTop = 78;
constexpr int kTabHeight = 262;
constexpr int kBenchTop = 348;
constexpr UINT_PTR kSequenceTimer = 1;
constexpr UINT_PTR kIdleTimer = 2;
constexpr const char* kWebAddress = "http://www.kestrane.com/";
constexpr const char* kPartnerAddress = "http://www.pixelgrund.com/";

// Clipped by their siblings, so the abort panel laid over them stays on top.
constexpr DWORD kUnderPanel = WS_CLIPSIBLINGS;

const ControlRow kHeader[] = {
    {"STATIC", "", IDC_PARTNERLOGO, 8, 14, 90, 44, kPicture | SS_NOTIFY | kUnderPanel},
    {"STATIC", "", IDC_LOGO, (kClientWidth - 320) / 2, 8, 320, 56, kPicture | kUnderPanel},
    {"BUTTON", "Homepage", IDC_HOMEPAGE, 446, 4, 86, 20, kButton | kUnderPanel},
    {"BUTTON", "Update", IDC_UPDATE, 446, 26, 86, 20, kButton | kUnderPanel},
    {"BUTTON", "Help", IDC_HELPBUTTON, 446, 48, 86, 20, kButton | kUnderPanel},
    {WC_TABCONTROLA, "", IDC_TABS, 6, kTabTop, 526, kTabHeight, kChild | WS_TABSTOP | kUnderPanel},
    {"BUTTON", "Benchmark", IDC_BENCHBUTTON, (kClientWidth - 247) / 2, kBenchTop, 247, 42, kButton | kUnderPanel},
};

}  // namespace

MainWindow::MainWindow() { SetQuitOnDestroy(true); }

MainWindow::~MainWindow() = default;

HWND MainWindow::Create(HINSTANCE instance) {
    RegisterWindowClass(instance, kMainWindowClass, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)),
                        LoadIconA(instance, MAKEINTRESOURCEA(IDR_MAINICON)));
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    const SIZE size = WindowSizeForClient(kClientWidth, kClientHeight, style, 0);
    const int w = size.cx;
    const int h = size.cy;
    const int x = (GetSystemMetrics(SM_CXSCREEN) - w) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - h) / 2;
    instance_ = instance;
    const HWND hwnd = Window::Create(instance, kMainWindowClass, "", style, 0, RECT{x, y, x + w, y + h}, nullptr);
    // The dialogs are made when they are first wanted; the other pages and the news window once the
    // window is ready, one at a time (a timer's message comes only when no other message waits, so what
    // the user or another program asks meanwhile is answered between them).
    ready_ = hwnd != nullptr;
    if (ready_) SetTimer(hwnd, kIdleTimer, USER_TIMER_MINIMUM, nullptr);
    return hwnd;
}

void MainWindow::OnCreate() {
    font_.Reset(MakeFont(11, FW_NORMAL));
    boldFont_.Reset(MakeFont(13, FW_BOLD));
    buttonFont_.Reset(MakeFont(16, FW_BOLD));
    app_ = std::make_unique<AppServices>(Dispatcher(), *this);
    CreateHeader();
    CreatePages();
    statusBar_ = CreateRedStatusBar(Handle(), IDC_STATUSBAR, font_.Get());
    RECT bar;
    GetWindowRect(statusBar_, &bar);
    abortPanel_.Create(Handle(), Scaled(kClientWidth), Scaled(kClientHeight) - (bar.bottom - bar.top), font_.Get());
    FormCreate();
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(Handle(), GWLP_HINSTANCE));
    updates_ = std::make_unique<UpdateService>(instance, Handle(), font_.Get(),
                                               [this](const std::string& text) { ShowMessage(text); });
    // An unattended start asks nothing: no word of an earlier update, no news.
    if (!unattended_) updates_->Loaded(std::vector<std::string>(__argv + std::min(__argc, 1), __argv + __argc));
    AddProfileMenu();
}

void MainWindow::CreateHeader() {
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(Handle(), GWLP_HINSTANCE));
    CreateControls(Handle(), kHeader, font_.Get(), header_);
    logo_ = LoadPicture(instance, IDB_LOGO);
    partnerLogo_ = LoadPicture(instance, IDB_PARTNERLOGO);
    SendMessageA(HeaderControl(IDC_LOGO), STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(logo_.Get()));
    SendMessageA(HeaderControl(IDC_PARTNERLOGO), STM_SETIMAGE, IMAGE_BITMAP,
                 reinterpret_cast<LPARAM>(partnerLogo_.Get()));
    hints_ = ToolTips(Handle());
    hints_.Add(HeaderControl(IDC_PARTNERLOGO), "Visit Pixelgrund: www.pixelgrund.com");

    benchButton_ = Button(HeaderControl(IDC_BENCHBUTTON));
    SendMessageA(benchButton_.Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(buttonFont_.Get()), FALSE);
    benchGlyph_ = GlyphList(instance, IDB_GLYPH_BENCH);
    benchGlyph_.ShowOn(benchButton_.Handle(), false);

    OnCommand(IDC_BENCHBUTTON, BN_CLICKED, [this] { app_->Controller().BenchButtonClick(); });
    OnCommand(IDC_IMAGE2, BN_CLICKED, [this] { app_->Controller().Image2Click(); });
    OnCommand(IDC_HOMEPAGE, BN_CLICKED, [this] { OpenDocument(kWebAddress); });
    OnCommand(IDC_PARTNERLOGO, STN_CLICKED, [this] { OpenDocument(kPartnerAddress); });
    OnCommand(IDC_UPDATE, BN_CLICKED, [this] { updates_->Check(); });
    OnCommand(IDC_HELPBUTTON, BN_CLICKED, [this] { OpenDocument(app_->GameFolders().Program + "help.chm"); });
}

bool MainWindow::OnClose() {
    // What start-up left for pages not made yet is in their controls before the settings are kept.
    MakeAllPages();
    if (unattended_) unattended_->StopAfterCurrent();
    return !app_ || app_->Controller().RequestClose();
}

void MainWindow::OnDestroy() {
    KillTimer(Handle(), kSequenceTimer);
    KillTimer(Handle(), kIdleTimer);
    FormDestroy();
}

LRESULT MainWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp, bool& handled) {
    switch (msg) {
    case WM_PAINT: {
        PaintDc paint(Handle());
        RECT line{Scaled(4), Scaled(kTopHeight), Scaled(kClientWidth - 4), Scaled(kTopHeight) + 2};
        DrawEdge(paint.Get(), &line, EDGE_ETCHED, BF_TOP);
        return 0;
    }
    case WM_CTLCOLORSTATIC:
        SetBkMode(reinterpret_cast<HDC>(wp), TRANSPARENT);
        return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
    case WM_DRAWITEM:
        return abortPanel_.Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp)) ? TRUE : FALSE;
    case WM_SETCURSOR: {
        const int id = GetDlgCtrlID(reinterpret_cast<HWND>(wp));
        if (id == IDC_IMAGE2 || id == IDC_PARTNERLOGO) {
            SetCursor(LoadCursor(nullptr, IDC_HAND));
            return TRUE;
        }
        break;
    }
    case WM_TIMER:
        if (wp == kIdleTimer) {
            // No tick while a step runs: one that shows a message would otherwise start the next inside it.
            KillTimer(Handle(), kIdleTimer);
            if (NextStepOnIdle()) SetTimer(Handle(), kIdleTimer, USER_TIMER_MINIMUM, nullptr);
            return 0;
        }
        if (wp != kSequenceTimer) break;
        KillTimer(Handle(), kSequenceTimer);
        if (app_) app_->Controller().OnTimer();
        return 0;
    case kTestCrashMessage:
        TriggerTestCrash(TestCrashKind());
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wp) != WA_INACTIVE) FormActivate();
        break;
    case WM_SYSCOMMAND:
        if (OnProfileMenu(wp)) return 0;
        break;
    case WM_COPYDATA:
        // A second start hands over its command line; the program takes no options, so nothing follows.
        return TRUE;
    case WM_QUERYENDSESSION:
        if (app_) app_->Controller().RequestClose();
        return TRUE;
    case WM_ENDSESSION:
        if (wp && app_) {
            MakeAllPages();
            app_->Controller().EndNow();
            if (InNestedHandler()) {
                CloseLater();
            } else {
                DestroyWindow(Handle());
            }
        }
        return 0;
    default:
        break;
    }
    handled = false;
    return 0;
}

// ---- SequenceWindow ----

void MainWindow::SetBenchButtonEnabled(bool enabled) { benchButton_.Enable(enabled); }

void MainWindow::ShowAbortPanel(bool shown) { abortPanel_.Show(shown); }

void MainWindow::SetStatus(const std::string& text) {
    SetStatusText(statusBar_, text);
    NoteStatusForCrashReport(text);
    UpdateWindow(Handle());
}

void MainWindow::ShowMessage(const std::string& text) {
    if (unattended_) {
        unattended_->Log(text);
        return;
    }
    MessageBoxA(Handle(), text.c_str(), "Information", MB_OK);
}

void MainWindow::StartTimer(int ms) { SetTimer(Handle(), kSequenceTimer, static_cast<UINT>(ms > 0 ? ms : 1), nullptr); }

void MainWindow::StopTimer() { KillTimer(Handle(), kSequenceTimer); }

void MainWindow::OpenDocument(const std::string& path) {
    // The shell takes paths of MAX_PATH characters at most; a longer one is not passed to it.
    if (path.empty() || path.size() >= MAX_PATH || unattended_) return;
    ShellExecuteA(Handle(), "open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace wmb::ui
