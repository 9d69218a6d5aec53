// P3: the time from starting the front end to a ready main window, and P4: its memory once ready, both
// against the minimal program built beside this one (minimal_dialog.exe: a window with a few controls and
// a status bar, same toolchain and flags).
//
// A program is ready when its main window is visible, it has passed WaitForInputIdle and its status bar
// shows its start-up result: "Set the parameters & bench!" for the front end, whose settings key points
// at the sandbox game, "Ready" for the minimal program. Both are started with CreateProcess from their own
// folder, timed from just before CreateProcess to ready, and closed through their window. Memory is read
// when a program has become ready: GetProcessMemoryInfo's peak working set and private bytes
// (PagefileUsage; Wine leaves PrivateUsage at 0). Under Wine these are the Linux process's VmHWM and its
// anonymous resident memory, so Wine's own share, the same for both programs, is counted in.
//
// The two take turns for nine rounds (front end, minimal program, front end, ...); the first round of
// each only brings Wine's own files into memory and is left out. Each figure is the median of the other
// eight rounds, printed with their smallest and largest value; a ratio is that of the two medians. Before
// every front-end start its settings value "News" is set to "1", so that all rounds start alike without
// the news window (the program opens it at a start that finds "0" and writes "0" at every orderly exit).
// A second series of nine rounds, printed after the main figures, sets "0" instead: the start with the
// news window opening. Details of every start go to stderr.
//
// Usage: p3_p4_cold_start PROGRAM_FOLDER GAME_FOLDER

#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/bench_common.h"

using namespace wmb::bench;

namespace {

constexpr int kRounds = 9;  // the first is a warm-up
constexpr int kReadyTimeoutMs = 30000;

struct Program {
    const char* name;
    std::string exe;
    const char* windowClass;
    const char* readyStatus;
};

struct Start {
    double ms;
    double peakMiB;
    double privateMiB;
};

HWND VisibleWindowOfClass(DWORD processId, const char* windowClass) {
    for (HWND w : wmb::e2e::TopWindows(processId))
        if (wmb::e2e::ClassOf(w) == windowClass) return w;
    return nullptr;
}

double MiB(SIZE_T bytes) { return static_cast<double>(bytes) / (1024.0 * 1024.0); }

// Starts the program, waits until it is ready, reads its memory and closes it.
Start TimeStart(const Program& program) {
    const std::string folder = program.exe.substr(0, program.exe.find_last_of('\\') + 1);
    const long long before = NowTicks();
    wmb::e2e::RunningProgram app(program.exe, "", folder);
    if (!app.WaitForInputIdle(kReadyTimeoutMs))
        throw std::runtime_error(std::string(program.name) + " never waited for input");
    HWND main = nullptr;
    std::string status;
    const bool ready = wmb::e2e::WaitUntil(
        [&] {
            main = VisibleWindowOfClass(app.ProcessId(), program.windowClass);
            status = main ? wmb::e2e::StatusBarText(main) : "";
            return status == program.readyStatus;
        },
        kReadyTimeoutMs, 1);
    const long long after = NowTicks();
    if (!ready) throw std::runtime_error(std::string(program.name) + " did not become ready; status: " + status);
    PROCESS_MEMORY_COUNTERS memory{};
    if (!GetProcessMemoryInfo(app.ProcessHandle(), &memory, sizeof memory))
        throw std::runtime_error("GetProcessMemoryInfo failed: " + std::to_string(GetLastError()));
    CloseFrontEnd(app, main);
    return {TicksToMs(after - before), MiB(memory.PeakWorkingSetSize), MiB(memory.PagefileUsage)};
}

std::string BenchFolder() {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string self(path, length);
    return self.substr(0, self.find_last_of('\\') + 1);
}

// The starts of both programs, front end first, from kRounds rounds in which they take turns; the news
// value is set before each front-end start. The first round's starts are left out.
struct Series {
    std::vector<Start> starts[2];
};

Series RunSeries(const Program (&programs)[2], bool newsWindow) {
    Series series;
    for (int round = 0; round < kRounds; ++round) {
        for (int p = 0; p < 2; ++p) {
            if (p == 0) SetNewsAtStart(newsWindow);
            const Start s = TimeStart(programs[p]);
            std::fprintf(stderr, "round %d, %s%s: ready after %.1f ms; peak working set %.1f MiB, private %.1f MiB%s\n",
                         round, programs[p].name, p == 0 && newsWindow ? " with the news window" : "", s.ms, s.peakMiB,
                         s.privateMiB, round ? "" : " (warm-up)");
            if (round > 0) series.starts[p].push_back(s);
        }
    }
    return series;
}

Spread SpreadOfField(const std::vector<Start>& starts, double Start::*field) {
    std::vector<double> values;
    for (const Start& s : starts) values.push_back(s.*field);
    return SpreadOf(values);
}

// The P3 and P4 lines of a series; `label` follows "P3" and "P4".
void PrintFigures(const char* label, const Series& series) {
    const auto figure = [&](double Start::*field, const char* unit, int decimals, const char* against) {
        const Spread front = SpreadOfField(series.starts[0], field);
        const Spread minimal = SpreadOfField(series.starts[1], field);
        char ratio[64];
        std::snprintf(ratio, sizeof ratio, ", ratio of the medians %.2f", RatioOfMedians(front, minimal));
        return Describe(front, unit, decimals, "rounds") + against + Describe(minimal, unit, decimals, "rounds") + ratio;
    };
    std::printf("P3%s front-end start to a ready window %s (target <= 1.5)\n", label,
                figure(&Start::ms, "ms", 0, ", minimal program ").c_str());
    std::printf("P4%s front-end peak working set %s; private bytes %s (target <= 1.5)\n", label,
                figure(&Start::peakMiB, "MiB", 1, ", minimal program ").c_str(),
                figure(&Start::privateMiB, "MiB", 1, " against ").c_str());
}

}  // namespace

int main(int argc, char** argv) {
    const char* figures = "P3 and P4";  // those not measured when something fails
    try {
        const NoBrowser noBrowser;
        const Sandbox box = SandboxFromArguments(argc, argv);
        ResetSettings(box);
        const Program programs[2] = {
            {"front end", box.program + "WildmereBench.exe", kFrontEndClass, kFrontEndReadyStatus},
            {"minimal program", BenchFolder() + "minimal_dialog.exe", "MinimalDialogWindow", "Ready"},
        };
        PrintFigures("", RunSeries(programs, false));
        std::fflush(stdout);
        figures = "P3 and P4 with the news window";
        PrintFigures(" with the news window:", RunSeries(programs, true));
        return 0;
    } catch (const std::exception& e) {
        std::printf("%s not measured: %s\n", figures, e.what());
        return 1;
    }
}
