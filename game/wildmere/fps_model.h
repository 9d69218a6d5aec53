#pragma once
// How fast the game "renders" a timedemo. A frame costs a fixed scene part (geometry, vegetation,
// lights, particles) plus a part per pixel (antialiasing, filtering, shadows, HDR, water...), so the
// frame rate falls with the resolution and with every costly option. Results are deterministic for
// the same inputs; runs differ a little from each other through a generator seeded from the inputs.

#include <cstdint>
#include <string>
#include <vector>

#include "command_line.h"

namespace wmb::game {

struct RenderSetup {
    int width = 1024;
    int height = 768;
    std::string map;   // compared without regard to letter case
    std::string demo;
    int frames = 3000;  // length of the demo
    ConsoleVars vars;   // configuration, override file and command line merged
};

struct RunResult {
    double averageFps = 0;
    double minFps = 0;
    double maxFps = 0;
    int minFrame = 0;
    int maxFrame = 0;
    double playSeconds = 0;
};

// Milliseconds per frame of the scene part and of one megapixel of the pixel part.
struct FrameCost {
    double sceneMs = 0;
    double perMegapixelMs = 0;
};

FrameCost EstimateFrameCost(const RenderSetup& setup);

// Frame rate of an undisturbed run.
double NominalFps(const RenderSetup& setup);

// Seed for the run-to-run variation: a hash of every input of the setup.
std::uint64_t SetupSeed(const RenderSetup& setup);

// Results of `runs` consecutive runs (at least one).
std::vector<RunResult> SimulateRuns(const RenderSetup& setup, int runs);

// Moves the runs apart for tests: the first run `percent` above its frame rate, the second as far below,
// and so on in turn; each run's lowest and highest rates and its playing time follow.
void SpreadRuns(std::vector<RunResult>& runs, double percent);

}  // namespace wmb::game
