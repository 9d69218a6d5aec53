// P7: a long session in one running front end. It is started once and driven from outside through 50
// benchmark sequences of two resolution slots each against the substitute game (one run, 1 s between
// tests; the presets, the built-in demos and screenshot mode taking turns; the results folder emptied
// after each). Its private bytes, handles, GDI and USER objects are read after sequence 2 and after
// sequence 50 and printed side by side with the growth. The same for 50 openings and closings of the
// monitor resolutions dialog, of the demo frames dialog and of the news window, read after the second and
// the last. The first two steps warm what is made once on demand (Wine's cache of device contexts gains a
// few the first times windows are painted over one another, at the first or the second step depending on
// timing), so a growth until the second is not counted. Targets: private bytes grow at most 5 %, the
// counts do not grow. Details go to stderr.
//
// Usage: p7_soak PROGRAM_FOLDER GAME_FOLDER [SEQUENCES]

#include <windows.h>

#include <cstdio>
#include <functional>
#include <stdexcept>
#include <string>

#include "bench/bench_common.h"
#include "e2e/soak_drive.h"

using namespace wmb::bench;
using wmb::e2e::ResourceCounts;

namespace {

constexpr int kOpenings = 50;
// The counts after this many steps are those the last step's are held against.
constexpr int kWarmSteps = 2;

// Runs `step` `times` times (more than kWarmSteps) and prints the counts after the second and after the
// last.
void Measure(const char* what, int times, wmb::e2e::RunningProgram& app, const std::function<void(int)>& step) {
    ResourceCounts first;
    ResourceCounts last;
    for (int i = 0; i < times; ++i) {
        step(i);
        last = wmb::e2e::ReadResourceCounts(app.ProcessHandle(), app.ProcessId());
        if (i + 1 == kWarmSteps) first = last;
        // Each step's counts, so that a growth can be placed.
        std::fprintf(stderr, "%s: %d of %d done: handles %ld, GDI %ld, USER %ld\n", what, i + 1, times,
                     last.handles, last.gdiObjects, last.userObjects);
    }
    const bool grew = last.privateMiB > first.privateMiB * 1.05 || last.handles > first.handles ||
                      last.gdiObjects > first.gdiObjects || last.userObjects > first.userObjects;
    std::printf("P7 %s, %d times, after the %s -> after the %s: %s (target: private bytes +5 %% at most, counts "
                "not growing)\n%s",
                what, times, Ordinal(kWarmSteps).c_str(), Ordinal(times).c_str(), grew ? "GROWS" : "no growth",
                wmb::e2e::CountsSideBySide(first, last, "after " + std::to_string(kWarmSteps),
                                           "after " + std::to_string(times))
                    .c_str());
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    try {
        const NoBrowser noBrowser;
        const int sequences = argc == 4 ? std::stoi(argv[3]) : 50;
        if (sequences <= kWarmSteps) throw std::runtime_error("SEQUENCES must be above " + std::to_string(kWarmSteps));
        const Sandbox box = SandboxFromArguments(argc == 4 ? 3 : argc, argv);
        const wmb::e2e::SoakSandbox soak{box.program, box.game};
        ResetSettings(box);
        ResetGameFiles(box, "");
        wmb::e2e::PutUserDemo(soak);
        wmb::e2e::RunningProgram app(box.program + "WildmereBench.exe", "", box.program);
        HWND main = StartFrontEnd(app);
        Measure("benchmark sequences of two slots", sequences, app,
                [&](int i) { wmb::e2e::RunSoakSequence(main, app.ProcessId(), soak, i); });
        Measure("monitor resolutions dialog opened and closed", kOpenings, app,
                [&](int) { wmb::e2e::OpenAndCloseMonitorDialog(main, app.ProcessId()); });
        wmb::e2e::PrepareFramesDialog(main, app.ProcessId());
        Measure("demo frames dialog opened and closed", kOpenings, app,
                [&](int) { wmb::e2e::OpenAndCloseFramesDialog(main, app.ProcessId()); });
        Measure("news window opened and closed", kOpenings, app,
                [&](int) { wmb::e2e::OpenAndCloseNewsWindow(app.ProcessId()); });
        CloseFrontEnd(app, main);
        return 0;
    } catch (const std::exception& e) {
        std::printf("P7 not measured: %s\n", e.what());
        return 1;
    }
}
