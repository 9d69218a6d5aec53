#include "e2e/soak_drive.h"

#include <psapi.h>
#include <winternl.h>

#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <vector>

#include "e2e/test_files.h"
#include "e2e/window_driver.h"
#include "ui/resource.h"

namespace wmb::e2e {
namespace {

constexpr int kSequenceTimeoutMs = 180000;
constexpr int kDialogTimeoutMs = 15000;
constexpr int kSettleTimeoutMs = 2000;
constexpr const char* kSuccessStatus = "The benchmarking is successful.";
constexpr const char* kScreenshotSuccessStatus = "Screenshot mode is successful.";
constexpr const char* kFramesCaption = "User defined demo frames";
constexpr const char* kNewsClass = "WildmereBenchNewsWindow";
constexpr int kUserDemo = 11;
// Presets without the custom configuration file, and built-in demos, taking turns.
constexpr int kPresets = 3;
constexpr int kDemos = 4;
constexpr int kSlotPairs[][2] = {{0, 1}, {1, 2}, {0, 2}};

// The system's handle list (SystemHandleInformation) as Windows and Wine lay it out for 32-bit processes.
struct SystemHandle {
    USHORT processId;
    USHORT backTraceIndex;
    UCHAR objectType;
    UCHAR attributes;
    USHORT handle;
    PVOID object;
    ACCESS_MASK access;
};
struct SystemHandles {
    ULONG count;
    SystemHandle handles[1];
};
constexpr auto kSystemHandleInformation = static_cast<SYSTEM_INFORMATION_CLASS>(16);
constexpr NTSTATUS kInfoLengthMismatch = static_cast<NTSTATUS>(0xC0000004);

// An entry of the GDI handle table Wine keeps per process (the PEB's GdiSharedHandleTable); a used entry
// has a type.
#pragma pack(push, 1)
struct GdiEntry {
    std::uint64_t object;
    ULONG owner;
    USHORT unique;
    UCHAR type;
    UCHAR flags;
    std::uint64_t userPointer;
};
#pragma pack(pop)
constexpr size_t kGdiTableEntries = 0x10000;
constexpr size_t kPebGdiTableOffset = 0x94;

long HandlesFromSystemList(DWORD processId) {
    std::vector<char> buffer(1 << 20);
    ULONG length = 0;
    NTSTATUS status;
    while ((status = NtQuerySystemInformation(kSystemHandleInformation, buffer.data(),
                                              static_cast<ULONG>(buffer.size()), &length)) == kInfoLengthMismatch)
        buffer.resize(buffer.size() * 2);
    if (status != 0) throw std::runtime_error("the system's handle list cannot be read");
    const auto* list = reinterpret_cast<const SystemHandles*>(buffer.data());
    long count = 0;
    for (ULONG i = 0; i < list->count; ++i) count += list->handles[i].processId == processId;
    return count;
}

long GdiObjectsFromTable(HANDLE process) {
    PROCESS_BASIC_INFORMATION basic{};
    ULONG length = 0;
    if (NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof basic, &length) != 0)
        throw std::runtime_error("the process's basic information cannot be read");
    std::uint32_t table = 0;
    SIZE_T read = 0;
    if (!ReadProcessMemory(process, reinterpret_cast<const char*>(basic.PebBaseAddress) + kPebGdiTableOffset, &table,
                           sizeof table, &read) ||
        table == 0)
        throw std::runtime_error("the process's GDI handle table cannot be found");
    std::vector<GdiEntry> entries(kGdiTableEntries);
    if (!ReadProcessMemory(process, reinterpret_cast<const void*>(static_cast<std::uintptr_t>(table)), entries.data(),
                           entries.size() * sizeof(GdiEntry), &read))
        throw std::runtime_error("the process's GDI handle table cannot be read");
    long count = 0;
    for (const GdiEntry& entry : entries) count += entry.type != 0;
    return count;
}

BOOL CALLBACK CountWindow(HWND, LPARAM count) {
    ++*reinterpret_cast<long*>(count);
    return TRUE;
}

struct ProcessWindows {
    DWORD processId;
    std::vector<HWND> found;
};

// The browser's URL moniker library keeps one notification window per thread once a download has
// bound through it; it is made once (at some navigation of the news window) and reused, not a window of
// this program that could pile up.
bool SystemLibraryWindow(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return std::string(name) == "URL Moniker Notification Window";
}

BOOL CALLBACK CollectProcessWindow(HWND window, LPARAM windows) {
    auto* w = reinterpret_cast<ProcessWindows*>(windows);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == w->processId && !SystemLibraryWindow(window)) w->found.push_back(window);
    return TRUE;
}

// Top-level windows (hidden ones too) and message-only windows of a process.
std::vector<HWND> AllTopWindows(DWORD processId) {
    ProcessWindows windows{processId, {}};
    EnumWindows(CollectProcessWindow, reinterpret_cast<LPARAM>(&windows));
    for (HWND w = FindWindowExA(HWND_MESSAGE, nullptr, nullptr, nullptr); w;
         w = FindWindowExA(HWND_MESSAGE, w, nullptr, nullptr))
        CollectProcessWindow(w, reinterpret_cast<LPARAM>(&windows));
    return windows.found;
}

long WindowsOf(DWORD processId) {
    long count = 0;
    for (HWND top : AllTopWindows(processId)) {
        ++count;
        EnumChildWindows(top, CountWindow, reinterpret_cast<LPARAM>(&count));
    }
    return count;
}

HWND Control(HWND top, int id) {
    HWND control = WaitForControl(top, id, 10000);
    if (!control) throw std::runtime_error("no control " + std::to_string(id));
    return control;
}

void ShowPage(HWND main, int index) { SelectTab(Control(main, IDC_TABS), index); }

std::string Line(const char* name, double first, double last, int decimals, const char* unit) {
    char text[160];
    const double growth = first != 0 ? (last - first) * 100.0 / first : 0.0;
    std::snprintf(text, sizeof text, "  %-14s %10.*f%-4s %10.*f%-4s %+8.*f%-4s %+6.1f %%\n", name, decimals, first, unit,
                  decimals, last, unit, decimals, last - first, unit, growth);
    return text;
}

void WaitHidden(HWND window, const char* what) {
    if (!WaitUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); }, kDialogTimeoutMs))
        throw std::runtime_error(std::string("the ") + what + " did not close");
}

HWND WaitForFrames(DWORD processId) {
    HWND dialog = WaitForTopWindow(processId, kFramesCaption, kDialogTimeoutMs);
    if (!dialog) throw std::runtime_error("the demo frames dialog did not appear");
    return dialog;
}

void AnswerFrames(HWND dialog) {
    TypeText(Control(dialog, IDC_TOTALFRAMEEDIT), "2500");
    Click(Control(dialog, IDOK));
    WaitHidden(dialog, "demo frames dialog");
}

ResourceCounts ReadCountsOnce(HANDLE process, DWORD processId) {
    ResourceCounts counts;
    PROCESS_MEMORY_COUNTERS memory{};
    if (!GetProcessMemoryInfo(process, &memory, sizeof memory))
        throw std::runtime_error("GetProcessMemoryInfo failed: " + std::to_string(GetLastError()));
    counts.privateMiB = static_cast<double>(memory.PagefileUsage) / (1024.0 * 1024.0);
    DWORD handles = 0;
    counts.handles = GetProcessHandleCount(process, &handles) && handles ? static_cast<long>(handles)
                                                                         : HandlesFromSystemList(processId);
    const DWORD gdi = GetGuiResources(process, GR_GDIOBJECTS);
    counts.gdiObjects = gdi ? static_cast<long>(gdi) : GdiObjectsFromTable(process);
    const DWORD user = GetGuiResources(process, GR_USEROBJECTS);
    counts.userObjects = user ? static_cast<long>(user) : WindowsOf(processId);
    return counts;
}

}  // namespace

ResourceCounts ReadResourceCounts(HANDLE process, DWORD processId) {
    // Paints still due are done first (UpdateWindow-like, sent to the program's thread), so that what a
    // paint keeps is counted now rather than after the next step. A paint or a caret blink holds a device
    // context for a moment: the counts are taken once two reads in a row agree.
    for (HWND w : AllTopWindows(processId))
        if (IsWindowVisible(w)) RedrawWindow(w, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    ResourceCounts last = ReadCountsOnce(process, processId);
    WaitUntil(
        [&] {
            const ResourceCounts now = ReadCountsOnce(process, processId);
            const bool same = now.handles == last.handles && now.gdiObjects == last.gdiObjects &&
                              now.userObjects == last.userObjects;
            last = now;
            return same;
        },
        kSettleTimeoutMs, 50);
    return last;
}

std::string CountsSideBySide(const ResourceCounts& first, const ResourceCounts& last, const std::string& firstName,
                             const std::string& lastName) {
    char head[160];
    std::snprintf(head, sizeof head, "  %-14s %14s %14s %12s\n", "", firstName.c_str(), lastName.c_str(), "growth");
    return head + Line("private bytes", first.privateMiB, last.privateMiB, 2, " MiB") +
           Line("handles", first.handles, last.handles, 0, "") +
           Line("GDI objects", first.gdiObjects, last.gdiObjects, 0, "") +
           Line("USER objects", first.userObjects, last.userObjects, 0, "");
}

void PutUserDemo(const SoakSandbox& box) {
    const std::string map = box.game + "Levels\\Harbour";
    CreateDirectoryA(map.c_str(), nullptr);
    WriteAll(map + "\\mine.tmd", "WILDMERE TIMEDEMO 1\r\nlevel=Harbour\r\ndemo=mine\r\nframes=3000\r\n");
}

void RunSoakSequence(HWND main, DWORD processId, const SoakSandbox& box, int index) {
    // Screenshot mode holds the number of runs: off first, on again once the other choices are made.
    ShowPage(main, 6);
    SetCheck(Control(main, IDC_ENABLESCSHOT), false);
    ShowPage(main, 1);
    Click(Control(main, IDC_DEMO0 + index % kDemos));
    ShowPage(main, 2);
    const int* slots = kSlotPairs[index % 3];
    for (int slot = 0; slot < 6; ++slot) {
        HWND item = Control(main, IDC_RES0 + slot);
        if (IsEnabled(item)) SetCheck(item, slot == slots[0] || slot == slots[1]);
    }
    HWND custom = Control(main, IDC_CUSRESBOX);
    if (IsEnabled(custom)) SetCheck(custom, false);
    Click(Control(main, IDC_DETAIL0 + index % kPresets));
    ShowPage(main, 4);
    SelectComboItem(Control(main, IDC_LANGBOX), "English");
    SelectComboItem(Control(main, IDC_RUNNUMBERBOX), "1");
    ShowPage(main, 5);
    TypeText(Control(main, IDC_WAITS), "1");
    if (index % 2 == 1) {
        ShowPage(main, 6);
        SetCheck(Control(main, IDC_ENABLESCSHOT), true);
        TypeText(Control(main, IDC_FRAMEEDIT), "100");
        LeaveControl(Control(main, IDC_FRAMEEDIT));
    }
    ShowPage(main, 0);
    const std::string success = index % 2 == 1 ? kScreenshotSuccessStatus : kSuccessStatus;
    HWND bench = Control(main, IDC_BENCHBUTTON);
    Click(bench);
    std::string status;
    const bool ended = WaitUntil(
        [&] {
            if (HWND box = WaitForMessageBox(processId, 0)) {
                throw std::runtime_error("sequence " + std::to_string(index + 1) + ": a message: " + MessageBoxText(box));
            }
            status = StatusBarText(main);
            return status == success && IsEnabled(bench);
        },
        kSequenceTimeoutMs, 200);
    if (!ended) throw std::runtime_error("sequence " + std::to_string(index + 1) + " did not succeed; status: " + status);
    const std::string results = box.game + "Benchmark";
    for (const std::string& file : FilesIn(results)) DeleteFileA((results + "\\" + file).c_str());
}

void OpenAndCloseMonitorDialog(HWND main, DWORD processId) {
    ShowPage(main, 2);
    SetCheck(Control(main, IDC_CUSRESBOX), true);
    Click(Control(main, IDC_CUSPOSSIBILITIES));
    HWND dialog = WaitForTopWindow(processId, "Monitor Resolutions", kDialogTimeoutMs);
    if (!dialog) throw std::runtime_error("the monitor resolutions dialog did not appear");
    Click(Control(dialog, IDC_MONITORCLOSE));
    WaitHidden(dialog, "monitor resolutions dialog");
}

void PrepareFramesDialog(HWND main, DWORD processId) {
    ShowPage(main, 1);
    Click(Control(main, IDC_DEMO0 + kUserDemo));
    ShowPage(main, 6);
    HWND screenshot = Control(main, IDC_ENABLESCSHOT);
    SetCheck(screenshot, false);
    SetCheck(screenshot, true);
    AnswerFrames(WaitForFrames(processId));
}

void OpenAndCloseFramesDialog(HWND main, DWORD processId) {
    Click(Control(main, IDC_BUTTON1));
    AnswerFrames(WaitForFrames(processId));
}

void OpenAndCloseNewsWindow(DWORD processId) {
    HWND news = nullptr;
    for (HWND w : AllTopWindows(processId))
        if (ClassOf(w) == kNewsClass) news = w;
    if (!news) throw std::runtime_error("the program has no news window");
    // What the program does when the news are due: the hidden window is shown, which sends its browser
    // to the page.
    ShowWindow(news, SW_SHOWNORMAL);
    if (!WaitUntil([&] { return IsWindowVisible(news) != FALSE; }, kDialogTimeoutMs))
        throw std::runtime_error("the news window did not appear");
    RequestClose(news);
    WaitHidden(news, "news window");
}

}  // namespace wmb::e2e
