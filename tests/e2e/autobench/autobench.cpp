// Drives one benchmark through the program's window from outside, as a person would: the first demo,
// 800 x 600 and 1024 x 768, three runs, Maximum details, English. Prints the final status and the
// report's path, and exits non-zero when the sequence did not end successfully.
//
// Usage: autobench PROGRAM.exe
//        autobench PROGRAM.exe --screenshot OUT.bmp [PAGE]   picture of the main window showing PAGE
//        autobench PROGRAM.exe --screenshot OUT.bmp news     picture of the news window
//        autobench PROGRAM.exe --screenshot OUT.bmp offer|wizard|wizard-done
//                                                            picture of an update window with sample texts
//        autobench PROGRAM.exe --screenshot OUT.bmp crash    picture of the crash dialog after a test fault
//        autobench SETUP.exe --installer-pages OUT           pictures of the installer's first three pages,
//                                                            OUT-1.bmp to OUT-3.bmp; the installation is cancelled

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>

#include "e2e/autobench/update_windows_shot.h"
#include "e2e/window_driver.h"
#include "ui/resource.h"

using namespace wmb::e2e;

namespace {

HWND Control(HWND main, int id) {
    HWND c = FindControl(main, id);
    if (!c) throw std::runtime_error("control " + std::to_string(id) + " not found");
    return c;
}

std::string NewestReport(const std::string& folder) {
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((folder + "result_*_.htm").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return "";
    std::string newest;
    FILETIME newestTime{};
    do {
        if (newest.empty() || CompareFileTime(&fd.ftLastWriteTime, &newestTime) > 0) {
            newest = fd.cFileName;
            newestTime = fd.ftLastWriteTime;
        }
    } while (FindNextFileA(h, &fd));
    FindClose(h);
    return folder + newest;
}

// The news window, when the program shows it (at the first start after an orderly exit).
HWND ShownNews(const RunningProgram& app) { return WaitForTopWindow(app.ProcessId(), "KSTBench NEWS", 0); }

HWND StartMain(RunningProgram& app) {
    HWND main = WaitForTopWindow(app.ProcessId(), "WildmereBenchMainWindow", 30000);
    if (!main) throw std::runtime_error("the main window did not appear");
    app.WaitForInputIdle(10000);
    // Answer a recovery question left by an earlier run that did not end in order.
    if (HWND box = WaitForMessageBox(app.ProcessId(), 1000)) AnswerMessageBox(box, IDNO);
    return main;
}

// Closes the news window as the user would, so that it covers nothing.
void CloseNews(const RunningProgram& app) {
    HWND news = ShownNews(app);
    if (!news) return;
    RequestClose(news);
    if (!WaitUntil([&] { return !IsWindowVisible(news); }, 10000)) throw std::runtime_error("the news window stays");
}

// The first visible top-level window of the process with that class (no message is sent to any window).
HWND WaitForClass(const RunningProgram& app, const std::string& className, int timeoutMs) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND w : TopWindows(app.ProcessId())) {
                if (ClassOf(w) == className) found = w;
            }
            return found != nullptr;
        },
        timeoutMs, 100);
    return found;
}

// The crash dialog after a test fault: the program's own windows are stuck, so only the dialog is asked.
int CrashScreenshot(const std::string& exe, const std::string& out) {
    SetEnvironmentVariableA("WMB_TEST_CRASH", "access-violation");
    RunningProgram app(exe, "", exe.substr(0, exe.find_last_of('\\') + 1));
    const HWND dialog = WaitForClass(app, "WildmereBenchCrashDialog", 30000);
    if (!dialog) throw std::runtime_error("the crash dialog did not appear");
    Sleep(500);
    const bool saved = SaveScreenshot(out, dialog);
    Click(FindControl(dialog, IDC_CRASHCLOSE));
    if (!app.WaitForExit(30000)) app.Terminate();
    return saved ? 0 : 1;
}

// The installer's welcome, components and folder pages; then Cancel, confirmed.
int InstallerScreenshots(const std::string& setup, const std::string& out) {
    RunningProgram app(setup, "", "");
    const HWND window = WaitForClass(app, "#32770", 30000);
    if (!window) throw std::runtime_error("the installer did not appear");
    bool saved = true;
    for (int page = 1; page <= 3; ++page) {
        Sleep(700);
        saved = SaveScreenshot(out + "-" + std::to_string(page) + ".bmp", window) && saved;
        if (page < 3) Click(FindControl(window, IDOK));
    }
    Click(FindControl(window, IDCANCEL));
    if (HWND box = WaitForMessageBox(app.ProcessId(), 10000)) AnswerMessageBox(box, IDYES);
    if (!app.WaitForExit(30000)) app.Terminate();
    return saved ? 0 : 1;
}

// PAGE is a tab's index, "user-demo" (the Demos page with the user's own demo chosen), "frames" (the
// demo frames dialog over the main window), "monitor" (the monitor resolutions dialog over it) or "news"
// (the news window).
int Screenshot(const std::string& exe, const std::string& out, const std::string& page) {
    const std::string folder = exe.substr(0, exe.find_last_of('\\') + 1);
    RunningProgram app(exe, "", folder);
    HWND main = StartMain(app);
    HWND shown = main;
    if (page == "news") {
        shown = ShownNews(app);
        if (!shown) throw std::runtime_error("the news window is not shown");
    } else {
        CloseNews(app);
    }
    if (page == "user-demo" || page == "frames") {
        SelectTab(Control(main, IDC_TABS), 1);
        Click(Control(main, IDC_DEMO0 + 11));
    }
    if (page == "frames") {
        SelectTab(Control(main, IDC_TABS), 6);
        Click(Control(main, IDC_ENABLESCSHOT));
        HWND dialog = WaitForTopWindow(app.ProcessId(), "User defined demo frames", 10000);
        if (!dialog) throw std::runtime_error("the frames dialog did not appear");
        TypeText(FindControl(dialog, IDC_TOTALFRAMEEDIT), "2500");
        shown = nullptr;
    } else if (page == "monitor") {
        SelectTab(Control(main, IDC_TABS), 2);
        SetCheck(Control(main, IDC_CUSRESBOX), true);
        Click(Control(main, IDC_CUSPOSSIBILITIES));
        HWND dialog = WaitForTopWindow(app.ProcessId(), "Monitor Resolutions", 10000);
        if (!dialog) throw std::runtime_error("the monitor resolutions dialog did not appear");
        SetListViewCheck(FindControl(dialog, IDC_MONITORLIST), 2, true);
        shown = nullptr;
    } else if (page != "user-demo" && page != "news") {
        SelectTab(Control(main, IDC_TABS), std::atoi(page.c_str()));
    }
    Sleep(500);
    const bool saved = SaveScreenshot(out, shown);
    for (const char* dialog : {"User defined demo frames", "Monitor Resolutions"}) {
        if (HWND open = WaitForTopWindow(app.ProcessId(), dialog, 0)) RequestClose(open);
    }
    RequestClose(main);
    if (!app.WaitForExit(30000)) app.Terminate();
    return saved ? 0 : 1;
}

int Run(const std::string& exe) {
    const std::string folder = exe.substr(0, exe.find_last_of('\\') + 1);
    RunningProgram app(exe, "", folder);
    HWND main = StartMain(app);
    CloseNews(app);
    HWND tabs = Control(main, IDC_TABS);
    SelectTab(tabs, 1);
    Click(Control(main, IDC_DEMO0));
    SelectTab(tabs, 2);
    for (int slot = 0; slot < 6; ++slot) {
        HWND box = Control(main, IDC_RES0 + slot);
        if (IsEnabled(box)) SetCheck(box, slot == 1 || slot == 2);
    }
    if (IsEnabled(Control(main, IDC_CUSRESBOX))) SetCheck(Control(main, IDC_CUSRESBOX), false);
    Click(Control(main, IDC_DETAIL0 + 1));
    SelectTab(tabs, 4);
    SelectComboItem(Control(main, IDC_LANGBOX), "English");
    SelectComboItem(Control(main, IDC_RUNNUMBERBOX), "3");
    SelectTab(tabs, 0);

    Click(Control(main, IDC_BENCHBUTTON));
    const bool ended = WaitUntil(
        [&] {
            const std::string s = StatusBarText(main);
            return (s == "The benchmarking is successful." || s == "Benchmark aborted.") &&
                   IsEnabled(Control(main, IDC_BENCHBUTTON));
        },
        600000, 250);
    const std::string status = StatusBarText(main);
    std::string results = GetText(Control(main, IDC_RESEDIT));
    if (results.empty()) results = folder + "Benchmark\\";
    RequestClose(main);
    if (!app.WaitForExit(30000)) app.Terminate();

    std::printf("Status: %s\n", status.c_str());
    const std::string report = NewestReport(results);
    if (!ended || status != "The benchmarking is successful." || report.empty()) {
        std::printf("The benchmark did not end successfully.\n");
        return 1;
    }
    std::printf("%s\n", report.c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const bool screenshot = argc >= 4 && std::string(argv[2]) == "--screenshot";
    const bool installer = argc == 4 && std::string(argv[2]) == "--installer-pages";
    if (argc != 2 && !screenshot && !installer) {
        std::fprintf(stderr,
                     "usage: autobench PROGRAM.exe [--screenshot OUT.bmp [PAGE|news|crash|offer|wizard|wizard-done]]\n"
                     "       autobench SETUP.exe --installer-pages OUT\n");
        return 2;
    }
    try {
        const std::string page = argc > 4 ? argv[4] : "0";
        if (installer) return InstallerScreenshots(argv[1], argv[3]);
        if (screenshot && page == "crash") return CrashScreenshot(argv[1], argv[3]);
        if (screenshot && IsUpdateWindowPage(page)) return ScreenshotUpdateWindow(argv[3], page);
        if (screenshot) return Screenshot(argv[1], argv[3], page);
        return Run(argv[1]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "autobench: %s\n", e.what());
        return 1;
    }
}
