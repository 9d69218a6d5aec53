// P1: the front end's own time between one game's end and the next game's start.
//
// The substitute game records its start and end (QueryPerformanceCounter, one clock for all processes)
// when its control file has timing=1. A benchmark of four resolutions, one run each and 1 s between
// tests, is run through the window; the front end's gaps are each next start minus the previous end minus
// the pauses it keeps on purpose between two games (the wait between tests and 500 ms). For comparison
// the same game with the same command line is started four times in a row with a bare CreateProcess and
// wait. The two take turns for four rounds, so each side has twelve gaps. Prints one line with the median
// gap of each side, its smallest and largest, and the ratio of the two medians; details go to stderr.
//
// Usage: p1_launch_gap PROGRAM_FOLDER GAME_FOLDER

#include <windows.h>

#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/bench_common.h"

using namespace wmb::bench;

namespace {

constexpr int kWaitBetweenTestsMs = 1000;
// The pauses the front end keeps between a game's end and the next start: the wait between tests,
// then half a second after letting pending messages through.
constexpr double kMandatedPauseMs = kWaitBetweenTestsMs + 500.0;
const std::vector<int> kSlots = {0, 1, 2, 3};  // 640, 800, 1024, 1280
// Front-end rounds and bare rounds, taking turns; each round gives kSlots.size() - 1 gaps.
constexpr int kRounds = 4;

struct Launch {
    std::string folder;
    std::string commandLine;
};

// The last start of the launch record: "working folder|command line".
Launch LastLaunch(const Sandbox& box) {
    const auto lines = LinesOf(LaunchesPath(box));
    if (lines.empty()) throw std::runtime_error("the game recorded no start");
    const std::string& line = lines.back();
    const size_t bar = line.find('|');
    if (bar == std::string::npos) throw std::runtime_error("unreadable launch record: " + line);
    return {line.substr(0, bar), line.substr(bar + 1)};
}

// Next start minus previous end for every pair of consecutive games, in milliseconds.
std::vector<double> Gaps(const Sandbox& box, size_t games) {
    const auto starts = TimingMarks(box, "start");
    const auto ends = TimingMarks(box, "end");
    if (starts.size() != games || ends.size() != games) {
        throw std::runtime_error("expected " + std::to_string(games) + " timed games, found " +
                                 std::to_string(starts.size()) + " starts and " + std::to_string(ends.size()) +
                                 " ends");
    }
    std::vector<double> gaps;
    for (size_t i = 0; i + 1 < games; ++i) gaps.push_back(TicksToMs(starts[i + 1] - ends[i]));
    return gaps;
}

void PrintDetails(const char* what, const std::vector<double>& ms, const char* counted = "gaps") {
    std::fprintf(stderr, "%s:", what);
    for (double m : ms) std::fprintf(stderr, " %.1f", m);
    std::fprintf(stderr, " ms (%s)\n", Describe(SpreadOf(ms), "ms", 1, counted).c_str());
}

// The front end's gaps, mandated pauses taken off; also returns the game's last launch.
std::vector<double> FrontEndGaps(const Sandbox& box, Launch& launch) {
    ResetSettings(box);
    ResetGameFiles(box, "timing=1\r\n");
    wmb::e2e::RunningProgram app(box.program + "WildmereBench.exe", "", box.program);
    HWND main = StartFrontEnd(app);
    ChooseBenchmark(main, kSlots);
    PressBenchmark(main);
    // Only the files are watched while the games run, so that nothing disturbs the front end.
    if (!wmb::e2e::WaitUntil([&] { return TimingMarks(box, "end").size() >= kSlots.size(); }, 120000, 50)) {
        throw std::runtime_error("the games did not all run");
    }
    const std::string status = WaitForSequenceEnd(main, 60000);
    CloseFrontEnd(app, main);
    std::fprintf(stderr, "front end: %s\n", status.c_str());

    std::vector<double> gaps = Gaps(box, kSlots.size());
    PrintDetails("front end, raw gaps", gaps);
    for (double& g : gaps) g -= kMandatedPauseMs;
    PrintDetails("front end, gaps less the pauses", gaps);
    launch = LastLaunch(box);
    return gaps;
}

// The same game started and awaited back to back as many times as the front end started it, with the
// front end's start-up options.
std::vector<double> BareGaps(const Sandbox& box, const Launch& launch) {
    ResetGameFiles(box, "timing=1\r\n");
    const std::string application = box.bin32 + "Wildmere.exe";
    std::vector<double> createMs;
    for (size_t i = 0; i < kSlots.size(); ++i) {
        std::vector<char> line(launch.commandLine.begin(), launch.commandLine.end());
        line.push_back('\0');
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = SW_HIDE;
        PROCESS_INFORMATION info{};
        const long long before = NowTicks();
        if (!CreateProcessA(application.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            launch.folder.c_str(), &startup, &info)) {
            throw std::runtime_error("CreateProcess failed: " + std::to_string(GetLastError()));
        }
        createMs.push_back(TicksToMs(NowTicks() - before));
        WaitForSingleObject(info.hProcess, INFINITE);
        CloseHandle(info.hThread);
        CloseHandle(info.hProcess);
    }
    PrintDetails("bare, CreateProcess call alone", createMs, "calls");
    std::vector<double> gaps = Gaps(box, kSlots.size());
    PrintDetails("bare, gaps", gaps);
    return gaps;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        const NoBrowser noBrowser;
        const Sandbox box = SandboxFromArguments(argc, argv);
        std::vector<double> front;
        std::vector<double> bare;
        for (int round = 0; round < kRounds; ++round) {
            Launch launch;
            const std::vector<double> frontRound = FrontEndGaps(box, launch);
            std::fprintf(stderr, "round %d, command line: %s\n", round, launch.commandLine.c_str());
            const std::vector<double> bareRound = BareGaps(box, launch);
            front.insert(front.end(), frontRound.begin(), frontRound.end());
            bare.insert(bare.end(), bareRound.begin(), bareRound.end());
        }
        const Spread f = SpreadOf(front);
        const Spread b = SpreadOf(bare);
        std::printf("P1 front-end gap %s, bare CreateProcess gap %s, ratio of the medians %.2f (target <= 1.2)\n",
                    Describe(f, "ms", 1, "gaps").c_str(), Describe(b, "ms", 1, "gaps").c_str(), RatioOfMedians(f, b));
        return 0;
    } catch (const std::exception& e) {
        std::printf("P1 not measured: %s\n", e.what());
        return 1;
    }
}
