#pragma once
// What the benchmark programs share: the sandbox they work in (a Program folder with WildmereBench.exe
// and a Wildmere installation, both laid out by tools/bench), the program's settings key, the substitute
// game's control and timing files, a benchmark chosen and run through the main window, no browser for the
// reports it opens, and the medians with their spread that they print.

#include <windows.h>

#include <string>
#include <vector>

#include "bench/spread.h"
#include "e2e/registry_override.h"
#include "e2e/test_files.h"
#include "e2e/window_driver.h"

namespace wmb::bench {

// The main window's class, and its status once it has found the game at start-up.
inline constexpr const char* kFrontEndClass = "WildmereBenchMainWindow";
inline constexpr const char* kFrontEndReadyStatus = "Set the parameters & bench!";

struct Sandbox {
    std::string program;  // Program folder, with a trailing backslash
    std::string game;     // Game folder, with a trailing backslash
    std::string bin32;    // Game folder + "Bin32\"
};

// The sandbox named on the command line: PROGRAM_FOLDER GAME_FOLDER (Windows paths). Throws
// std::runtime_error when they are missing or do not hold the program and the game.
Sandbox SandboxFromArguments(int argc, char** argv);

using e2e::LinesOf;
using e2e::ReadAll;
using e2e::WriteAll;

// Empties the program's settings key, points it at the sandbox game and keeps the news window shut at
// the next start.
void ResetSettings(const Sandbox& box);
// Whether the front end opens its news window at its next start: it does when its settings value "News"
// is "0", which it writes at every orderly exit; "1" keeps the window shut.
void SetNewsAtStart(bool open);
// Removes the game's launch and timing records and writes its control file.
void ResetGameFiles(const Sandbox& box, const std::string& controlText);
std::string LaunchesPath(const Sandbox& box);
std::string TimingPath(const Sandbox& box);

// The game's "start" or "end" marks of its timing file, in the order they were written.
std::vector<long long> TimingMarks(const Sandbox& box, const std::string& label);
// Milliseconds of a span of QueryPerformanceCounter ticks.
double TicksToMs(long long ticks);
long long NowTicks();

// Waits for the main window of a WildmereBench started from its Program folder (answering a recovery
// question left by an earlier run that did not end in order) and for all its pages, which it makes once
// it is ready. Throws when the window or the last page does not appear.
HWND StartFrontEnd(e2e::RunningProgram& app);
// Chooses the first demo, Maximum details, English, one run, 1 s between tests and exactly `slots`
// among the fixed resolutions, then shows the first page again.
void ChooseBenchmark(HWND main, const std::vector<int>& slots);
// Presses Benchmark.
void PressBenchmark(HWND main);
// Waits until the sequence has ended (final status, Benchmark enabled again); returns the final status,
// or throws when it does not end within `timeoutMs`.
std::string WaitForSequenceEnd(HWND main, int timeoutMs);
// Closes the main window and waits for the program to end (ends it otherwise). Works for any program.
void CloseFrontEnd(e2e::RunningProgram& app, HWND main);

// For its life, Wine's winebrowser, to which the shell hands the report the front end opens at the end
// of a sequence, runs /bin/true instead of a browser: the current user's value WineBrowser "Browsers"
// names it. The value is put back afterwards, once no winebrowser started meanwhile still runs (10 s at
// most), so that none reads it too late.
class NoBrowser {
public:
    NoBrowser() = default;
    ~NoBrowser();
    NoBrowser(const NoBrowser&) = delete;
    NoBrowser& operator=(const NoBrowser&) = delete;

private:
    e2e::RegistryValueOverride browsers_{HKEY_CURRENT_USER, "Software\\Wine\\WineBrowser", "Browsers", "/bin/true"};
};

}  // namespace wmb::bench
