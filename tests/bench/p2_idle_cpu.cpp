// P2: the front end's processor time while a game runs.
//
// A one-resolution benchmark starts a game that plays for 20 s (run_seconds=20 in its control file).
// Once the game has started, the front end's processor time (kernel and user, GetProcessTimes) is read
// at the start and the end of a window of about 19 s that lies within the game's run; nothing touches
// the front end in between. Prints the time scaled to 10 s; details go to stderr.
//
// Under Wine, GetProcessTimes of another process counts in steps of 10 ms, coarse beside the target.
// Wine processes are Linux processes, so the Linux scheduler's own count (nanoseconds, summed over the
// threads in /proc/<pid>/task/*/schedstat, seen through drive Z:) is read too when the front end's
// Linux process can be found: the one that runs WildmereBench.exe in the same Wine prefix.
//
// Usage: p2_idle_cpu PROGRAM_FOLDER GAME_FOLDER

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/bench_common.h"

using namespace wmb::bench;

namespace {

constexpr int kGameSeconds = 20;
constexpr int kWindowMs = 19000;

// Kernel plus user time of the process, in milliseconds.
double CpuMs(HANDLE process) {
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) {
        throw std::runtime_error("GetProcessTimes failed: " + std::to_string(GetLastError()));
    }
    const auto value = [](const FILETIME& t) {
        return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime);
    };
    return (value(kernel) + value(user)) / 10000.0;
}

// The entries of a /proc folder (seen through drive Z:) whose names are numbers.
std::vector<std::string> NumberedEntries(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        const std::string name = data.cFileName;
        if (!name.empty() && name.find_first_not_of("0123456789") == std::string::npos) names.push_back(name);
    } while (FindNextFileA(find, &data));
    FindClose(find);
    return names;
}

// The value of `name` in a /proc environ file ("" when missing).
std::string EnvironmentValue(const std::string& environment, const std::string& name) {
    const std::string key = name + "=";
    size_t begin = 0;
    while (begin < environment.size()) {
        size_t end = environment.find('\0', begin);
        if (end == std::string::npos) end = environment.size();
        if (environment.compare(begin, key.size(), key) == 0) return environment.substr(begin + key.size(), end - begin - key.size());
        begin = end + 1;
    }
    return "";
}

// The Linux process folder of the front end: it runs WildmereBench.exe in this program's Wine prefix.
std::optional<std::string> FrontEndProcFolder() {
    const std::string prefix = EnvironmentValue(ReadAll("Z:\\proc\\self\\environ"), "WINEPREFIX");
    if (prefix.empty()) return std::nullopt;
    std::optional<std::string> found;
    for (const std::string& pid : NumberedEntries("Z:\\proc\\")) {
        const std::string folder = "Z:\\proc\\" + pid + "\\";
        if (ReadAll(folder + "cmdline").find("WildmereBench.exe") == std::string::npos) continue;
        if (EnvironmentValue(ReadAll(folder + "environ"), "WINEPREFIX") != prefix) continue;
        if (found) return std::nullopt;  // more than one: cannot tell which
        found = folder;
    }
    return found;
}

// The Linux scheduler's count of the process's processor time, in milliseconds.
double SchedulerMs(const std::string& procFolder) {
    unsigned long long ns = 0;
    for (const std::string& task : NumberedEntries(procFolder + "task\\")) {
        ns += std::strtoull(ReadAll(procFolder + "task\\" + task + "\\schedstat").c_str(), nullptr, 10);
    }
    return static_cast<double>(ns) / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        const NoBrowser noBrowser;
        const Sandbox box = SandboxFromArguments(argc, argv);
        ResetSettings(box);
        ResetGameFiles(box, "timing=1\r\nrun_seconds=" + std::to_string(kGameSeconds) + "\r\n");
        wmb::e2e::RunningProgram app(box.program + "WildmereBench.exe", "", box.program);
        HWND main = StartFrontEnd(app);
        ChooseBenchmark(main, {1});
        const double cpuBeforeRun = CpuMs(app.ProcessHandle());
        PressBenchmark(main);
        if (!wmb::e2e::WaitUntil([&] { return !TimingMarks(box, "start").empty(); }, 60000, 20)) {
            throw std::runtime_error("the game did not start");
        }
        const std::optional<std::string> proc = FrontEndProcFolder();
        const double cpuStart = CpuMs(app.ProcessHandle());
        const double schedulerStart = proc ? SchedulerMs(*proc) : 0.0;
        const std::vector<std::string> threadsAtStart = proc ? NumberedEntries(*proc + "task\\") : std::vector<std::string>{};
        const long long windowStart = NowTicks();
        Sleep(kWindowMs);
        const double cpuEnd = CpuMs(app.ProcessHandle());
        const double schedulerEnd = proc ? SchedulerMs(*proc) : 0.0;
        const std::vector<std::string> threadsAtEnd = proc ? NumberedEntries(*proc + "task\\") : std::vector<std::string>{};
        const long long windowEnd = NowTicks();
        const bool gameStillRan = TimingMarks(box, "end").empty();

        const std::string status = WaitForSequenceEnd(main, 60000);
        CloseFrontEnd(app, main);
        const double windowMs = TicksToMs(windowEnd - windowStart);
        const double usedMs = cpuEnd - cpuStart;
        std::fprintf(stderr, "front end: %s\n", status.c_str());
        std::fprintf(stderr, "CPU %.1f ms before the game started (from the benchmark button on: %.1f ms); "
                             "%.1f ms in a window of %.0f ms while the game ran%s\n",
                     cpuStart, cpuStart - cpuBeforeRun, usedMs, windowMs,
                     gameStillRan ? "" : " (the game ended within the window!)");
        if (!gameStillRan) throw std::runtime_error("the game ended before the window closed");
        std::string scheduler = "the front end's Linux process was not found";
        if (proc) {
            char text[160];
            std::snprintf(text, sizeof text, "Linux scheduler: %.2f ms per 10 s",
                          (schedulerEnd - schedulerStart) * 10000.0 / windowMs);
            scheduler = text;
            std::fprintf(stderr, "Linux process %s (%zu threads): %.3f ms at the window's start, %.3f ms in the window%s\n",
                         proc->c_str(), threadsAtStart.size(), schedulerStart, schedulerEnd - schedulerStart,
                         threadsAtStart == threadsAtEnd ? "" : " (threads came or went: the count may miss some)");
        }
        std::printf("P2 front-end CPU while the game runs: %.1f ms per 10 s (target <= 5 ms; GetProcessTimes counts "
                    "in 10 ms steps under Wine; %s)\n",
                    usedMs * 10000.0 / windowMs, scheduler.c_str());
        return 0;
    } catch (const std::exception& e) {
        std::printf("P2 not measured: %s\n", e.what());
        return 1;
    }
}
