#include "bench/bench_common.h"

#include <tlhelp32.h>

#include <stdexcept>

#include "platform/win32/registry_key.h"
#include "ui/resource.h"

namespace wmb::bench {
namespace {

constexpr const char* kKey = "SOFTWARE\\Kestrane\\RERurov";

std::string WithBackslash(std::string folder) {
    if (!folder.empty() && folder.back() != '\\') folder.push_back('\\');
    return folder;
}

bool FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

HWND Control(HWND main, int id) {
    HWND control = e2e::WaitForControl(main, id, 10000);
    if (!control) throw std::runtime_error("no control " + std::to_string(id) + " in the main window");
    return control;
}

bool WinebrowserRuns() {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return false;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    bool found = false;
    for (BOOL more = Process32First(snapshot, &entry); more && !found; more = Process32Next(snapshot, &entry)) {
        found = lstrcmpiA(entry.szExeFile, "winebrowser.exe") == 0;
    }
    CloseHandle(snapshot);
    return found;
}

}  // namespace

Sandbox SandboxFromArguments(int argc, char** argv) {
    if (argc != 3) throw std::runtime_error("usage: PROGRAM_FOLDER GAME_FOLDER");
    Sandbox box{WithBackslash(argv[1]), WithBackslash(argv[2]), ""};
    box.bin32 = box.game + "Bin32\\";
    if (!FileExists(box.program + "WildmereBench.exe")) throw std::runtime_error("no WildmereBench.exe in " + box.program);
    if (!FileExists(box.bin32 + "Wildmere.exe")) throw std::runtime_error("no Bin32\\Wildmere.exe in " + box.game);
    return box;
}

void ResetSettings(const Sandbox& box) {
    RegKey::DeleteTree(HKEY_LOCAL_MACHINE, kKey);
    RegKey key = RegKey::Create(HKEY_LOCAL_MACHINE, kKey, KEY_ALL_ACCESS);
    if (!key.WriteString("Path", box.bin32 + "Wildmere.exe")) throw std::runtime_error("cannot write the settings key");
    SetNewsAtStart(false);
}

void SetNewsAtStart(bool open) {
    RegKey key = RegKey::Create(HKEY_LOCAL_MACHINE, kKey, KEY_ALL_ACCESS);
    if (!key.WriteString("News", open ? "0" : "1")) throw std::runtime_error("cannot write the settings value News");
}

std::string LaunchesPath(const Sandbox& box) { return box.game + "wildmere-launches.txt"; }
std::string TimingPath(const Sandbox& box) { return box.game + "wildmere-timing.txt"; }

void ResetGameFiles(const Sandbox& box, const std::string& controlText) {
    DeleteFileA(LaunchesPath(box).c_str());
    DeleteFileA(TimingPath(box).c_str());
    WriteAll(box.game + "wildmere-test.ini", controlText);
}

std::vector<long long> TimingMarks(const Sandbox& box, const std::string& label) {
    std::vector<long long> marks;
    const std::string prefix = label + " ";
    for (const std::string& line : LinesOf(TimingPath(box))) {
        if (line.compare(0, prefix.size(), prefix) == 0) marks.push_back(std::stoll(line.substr(prefix.size())));
    }
    return marks;
}

double TicksToMs(long long ticks) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(ticks) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

long long NowTicks() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

HWND StartFrontEnd(e2e::RunningProgram& app) {
    HWND main = e2e::WaitForTopWindow(app.ProcessId(), kFrontEndClass, 30000);
    if (!main) throw std::runtime_error("the main window did not appear");
    app.WaitForInputIdle(10000);
    if (HWND box = e2e::WaitForMessageBox(app.ProcessId(), 1000)) e2e::AnswerMessageBox(box, IDNO);
    // The pages are made in tab order: the last page's controls come last.
    Control(main, IDC_SECTIME);
    return main;
}

void ChooseBenchmark(HWND main, const std::vector<int>& slots) {
    HWND tabs = Control(main, IDC_TABS);
    e2e::SelectTab(tabs, 1);
    e2e::Click(Control(main, IDC_DEMO0));
    e2e::SelectTab(tabs, 2);
    for (int slot = 0; slot < 6; ++slot) {
        HWND box = Control(main, IDC_RES0 + slot);
        bool wanted = false;
        for (int s : slots) wanted = wanted || s == slot;
        if (wanted && !e2e::IsEnabled(box)) throw std::runtime_error("resolution slot " + std::to_string(slot) + " is not offered");
        if (e2e::IsEnabled(box)) e2e::SetCheck(box, wanted);
    }
    HWND custom = Control(main, IDC_CUSRESBOX);
    if (e2e::IsEnabled(custom)) e2e::SetCheck(custom, false);
    e2e::Click(Control(main, IDC_DETAIL0 + 1));
    e2e::SelectTab(tabs, 4);
    e2e::SelectComboItem(Control(main, IDC_LANGBOX), "English");
    e2e::SelectComboItem(Control(main, IDC_RUNNUMBERBOX), "1");
    e2e::SelectTab(tabs, 5);
    e2e::TypeText(Control(main, IDC_WAITS), "1");
    e2e::SelectTab(tabs, 0);
}

void PressBenchmark(HWND main) { e2e::Click(Control(main, IDC_BENCHBUTTON)); }

std::string WaitForSequenceEnd(HWND main, int timeoutMs) {
    HWND bench = Control(main, IDC_BENCHBUTTON);
    std::string status;
    const bool ended = e2e::WaitUntil(
        [&] {
            status = e2e::StatusBarText(main);
            return (status == "The benchmarking is successful." || status == "Benchmark aborted.") &&
                   e2e::IsEnabled(bench);
        },
        timeoutMs, 250);
    if (!ended) throw std::runtime_error("the benchmark did not end; status: " + status);
    return status;
}

void CloseFrontEnd(e2e::RunningProgram& app, HWND main) {
    e2e::RequestClose(main);
    if (!app.WaitForExit(30000)) app.Terminate();
}

NoBrowser::~NoBrowser() {
    e2e::WaitUntil([] { return !WinebrowserRuns(); }, 10000, 50);
}

}  // namespace wmb::bench
