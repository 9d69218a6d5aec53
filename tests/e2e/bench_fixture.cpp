#include "e2e/bench_fixture.h"

#include <shellapi.h>

#include <cstdlib>

#include "platform/win32/registry_key.h"
#include "ui/resource.h"

namespace wmb::e2e {
namespace {

constexpr const char* kKey = "SOFTWARE\\Kestrane\\RERurov";

std::string TestName() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    return std::string(info->test_suite_name()) + "." + info->name();
}

BOOL CALLBACK FindWineCrashDialog(HWND w, LPARAM shown) {
    char title[128] = {};
    GetWindowTextA(w, title, sizeof title);
    if (IsWindowVisible(w) && std::string(title).rfind("Program Error", 0) == 0) {
        *reinterpret_cast<bool*>(shown) = true;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

bool WineCrashDialogShown() {
    bool found = false;
    EnumWindows(FindWineCrashDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

void BenchTest::SetUp() {
    const std::string work = BuildFolder() + "\\e2e-work\\" + TestName();
    RemoveTree(work);
    CreateDirectoryA((BuildFolder() + "\\e2e-work").c_str(), nullptr);
    CreateDirectoryA(work.c_str(), nullptr);
    program_ = work + "\\Bench\\";
    game_ = work + "\\Program Files\\Wildmere\\";
    bin32_ = game_ + "Bin32\\";
    CreateDirectoryA((work + "\\Program Files").c_str(), nullptr);
    CopyTree(BuildFolder() + "\\program", work + "\\Bench");
    // Only the shipped files: whatever a hand run of the build's program left there goes.
    RemoveTree(program_ + "Backup");
    RemoveTree(program_ + "Benchmark");
    CopyTree(BuildFolder() + "\\e2e-template\\game", work + "\\Program Files\\Wildmere");
    ResetSettingsKey();
}

void BenchTest::TearDown() {
    if (app_ && app_->IsRunning()) {
        if (main_ && IsWindow(main_)) RequestClose(main_);
        if (!app_->WaitForExit(10000)) app_->Terminate();
    }
    app_.reset();
}

void BenchTest::ResetSettingsKey() {
    RegKey::DeleteTree(HKEY_LOCAL_MACHINE, kKey);
    RegKey::Create(HKEY_LOCAL_MACHINE, kKey, KEY_ALL_ACCESS);
}

std::string BenchTest::Setting(const std::string& name) {
    return RegKey::Open(HKEY_LOCAL_MACHINE, kKey, KEY_READ).ReadString(name);
}

void BenchTest::SetSetting(const std::string& name, const std::string& value) {
    RegKey::Open(HKEY_LOCAL_MACHINE, kKey, KEY_ALL_ACCESS).WriteString(name, value);
}

void BenchTest::PointAtGame() { SetSetting("Path", bin32_ + "Wildmere.exe"); }

void BenchTest::UseEngineBuild(int build) {
    const std::string dll = BuildFolder() + "\\zorbsystem-" + std::to_string(build) + "\\ZorbSystem.dll";
    ASSERT_TRUE(CopyFileA(dll.c_str(), (bin32_ + "ZorbSystem.dll").c_str(), FALSE)) << dll;
}

void BenchTest::StartProgram() {
    app_ = std::make_unique<RunningProgram>(program_ + "WildmereBench.exe", "", program_);
    main_ = WaitForTopWindow(app_->ProcessId(), kMainWindowClass, 30000);
    ASSERT_NE(main_, nullptr) << "the main window did not appear";
    app_->WaitForInputIdle(10000);
    WaitForAllPages();
}

void BenchTest::WaitForAllPages() const {
    // The pages after the first are made once the window is ready, in tab order: the last page's
    // controls come last.
    WaitForControl(main_, IDC_SECTIME, 10000);
}

std::string BenchTest::StartAnsweringMessage(int button) {
    app_ = std::make_unique<RunningProgram>(program_ + "WildmereBench.exe", "", program_);
    const std::string text = AnswerMessage(button, 30000);
    const bool shown = WaitUntil(
        [&] {
            if (HWND box = WaitForMessageBox(app_->ProcessId(), 100)) AnswerMessageBox(box, IDOK);
            main_ = WaitForTopWindow(app_->ProcessId(), kMainWindowClass, 100);
            return main_ != nullptr;
        },
        30000);
    if (!shown) throw std::runtime_error("the main window did not appear");
    app_->WaitForInputIdle(10000);
    WaitForAllPages();
    return text;
}

void BenchTest::CloseProgram() {
    RequestClose(main_);
    ASSERT_TRUE(app_->WaitForExit(30000)) << "the program did not end";
    main_ = nullptr;
}

HWND BenchTest::Ctl(int id) const {
    HWND c = WaitForControl(main_, id, 10000);
    if (!c) throw std::runtime_error("no control " + std::to_string(id));
    return c;
}

void BenchTest::ShowPage(int index) { SelectTab(Ctl(IDC_TABS), index); }

std::string BenchTest::Status() const { return StatusBarText(main_); }

bool BenchTest::WaitForStatus(const std::string& text, int timeoutMs) {
    return WaitUntil([&] { return Status() == text; }, timeoutMs, 100);
}

std::string BenchTest::AnswerMessage(int button, int timeoutMs) {
    HWND box = WaitForMessageBox(app_->ProcessId(), timeoutMs);
    if (!box) return "<no message box>";
    const std::string text = MessageBoxText(box);
    AnswerMessageBox(box, button);
    return text;
}

void BenchTest::ChooseTypicalSettings(const std::string& runs) {
    ShowPage(1);
    Click(Ctl(IDC_DEMO0));
    ShowPage(2);
    Click(Ctl(IDC_DETAIL0 + 1));
    ShowPage(4);
    SelectComboItem(Ctl(IDC_LANGBOX), "English");
    SelectComboItem(Ctl(IDC_RUNNUMBERBOX), runs);
    ShowPage(5);
    TypeText(Ctl(IDC_WAITS), "1");
    ShowPage(2);
}

void BenchTest::CheckResolution(int slot) {
    ShowPage(2);
    SetCheck(Ctl(IDC_RES0 + slot), true);
}

void BenchTest::SwitchOnScreenshotMode(const std::string& frame) {
    ShowPage(6);
    SetCheck(Ctl(IDC_ENABLESCSHOT), true);
    TypeText(Ctl(IDC_FRAMEEDIT), frame);
    LeaveControl(Ctl(IDC_FRAMEEDIT));
}

void BenchTest::RunBenchmark(const std::string& finalStatus, int timeoutMs) {
    Click(Ctl(IDC_BENCHBUTTON));
    const bool ended = WaitUntil([&] { return Status() == finalStatus && IsEnabled(Ctl(IDC_BENCHBUTTON)); }, timeoutMs, 200);
    if (!ended) {
        const HWND box = WaitForMessageBox(app_->ProcessId(), 0);
        FAIL() << "status: " << Status() << (box ? ", message: " + MessageBoxText(box) : std::string());
    }
}

std::vector<std::string> BenchTest::Launches() const { return LinesOf(game_ + "wildmere-launches.txt"); }

bool BenchTest::GameEnded() const {
    HANDLE h = CreateFileA((bin32_ + "Wildmere.exe").c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    CloseHandle(h);
    return true;
}

std::vector<std::string> BenchTest::AnswerMessagesUntilReady(int timeoutMs) {
    std::vector<std::string> texts;
    const DWORD deadline = GetTickCount() + static_cast<DWORD>(timeoutMs);
    while (static_cast<int>(deadline - GetTickCount()) > 0) {
        if (HWND box = WaitForMessageBox(app_->ProcessId(), 1000)) {
            texts.push_back(MessageBoxText(box));
            AnswerMessageBox(box, IDOK);
        } else if (IsEnabled(Ctl(IDC_BENCHBUTTON))) {
            break;
        }
    }
    return texts;
}

}  // namespace wmb::e2e
