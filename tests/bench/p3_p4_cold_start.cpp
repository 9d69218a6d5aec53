// P3: the time from starting the front end to a ready main window, and P4: its memory once ready, both
// against the minimal program built beside this one (minimal_dialog.exe: a window with a few controls and
// a status bar, same toolchain and flags).
//
// A program is ready when its main window is visible, it has passed WaitForInputIdle and its status bar
// shows its start-up result: "Set the parameters & bench!" for the front end, whose settings key points
// at the sandbox game, "Ready" for the minimal program. Both are started with CreateProcess from their own
// folder, timed from just before CreateProcess to ready, and closed through their window. The two take
// turns for nine rounds; the first round of each only brings Wine's own files into memory and is left out;
// the figures are the medians of the others. Memory is read when a program has become ready:
// GetProcessMemoryInfo's peak working set and private bytes (PagefileUsage; Wine leaves PrivateUsage at
// 0). Under Wine these are the Linux process's VmHWM and its anonymous resident memory, so Wine's own
// share, the same for both programs, is counted in. Details go to stderr.
//
// Usage: p3_p4_cold_start PROGRAM_FOLDER GAME_FOLDER

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/bench_common.h"

using namespace wmb::bench;

namespace {

constexpr int kRounds = 9;
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

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

std::string BenchFolder() {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string self(path, length);
    return self.substr(0, self.find_last_of('\\') + 1);
}

}  // namespace

int main(int argc, char** argv) {
    try {
        const Sandbox box = SandboxFromArguments(argc, argv);
        ResetSettings(box);
        const Program programs[] = {
            {"front end", box.program + "WildmereBench.exe", kFrontEndClass, kFrontEndReadyStatus},
            {"minimal program", BenchFolder() + "minimal_dialog.exe", "MinimalDialogWindow", "Ready"},
        };
        std::vector<Start> starts[2];
        for (int round = 0; round < kRounds; ++round) {
            for (int p = 0; p < 2; ++p) {
                const Start s = TimeStart(programs[p]);
                std::fprintf(stderr, "round %d, %s: ready after %.1f ms; peak working set %.1f MiB, private %.1f MiB%s\n",
                             round, programs[p].name, s.ms, s.peakMiB, s.privateMiB, round ? "" : " (warm-up)");
                if (round > 0) starts[p].push_back(s);
            }
        }
        const auto median = [&](int p, double Start::*field) {
            std::vector<double> values;
            for (const Start& s : starts[p]) values.push_back(s.*field);
            return Median(values);
        };
        const double ms[] = {median(0, &Start::ms), median(1, &Start::ms)};
        const double peak[] = {median(0, &Start::peakMiB), median(1, &Start::peakMiB)};
        const double priv[] = {median(0, &Start::privateMiB), median(1, &Start::privateMiB)};
        std::printf("P3 front-end start to a ready window %.0f ms, minimal program %.0f ms, ratio %.2f (target <= 1.5)\n",
                    ms[0], ms[1], ms[0] / ms[1]);
        std::printf("P4 front-end peak working set %.1f MiB, minimal program %.1f MiB, ratio %.2f; private bytes "
                    "%.1f MiB against %.1f MiB, ratio %.2f (target <= 1.5)\n",
                    peak[0], peak[1], peak[0] / peak[1], priv[0], priv[1], priv[0] / priv[1]);
        return 0;
    } catch (const std::exception& e) {
        std::printf("P3 not measured: %s\n", e.what());
        std::printf("P4 not measured: %s\n", e.what());
        return 1;
    }
}
