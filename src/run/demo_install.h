#pragma once
// The chosen timedemo put into the game's level folders, and its arguments on the game's command line.

#include <string>

#include "demos/demo_table.h"
#include "platform/file_system.h"
#include "settings/bench_settings.h"

namespace wmb {

// Puts the chosen demo into its level folder when it is missing there (an existing file is never
// replaced), sets the location and appends the map and demo arguments to the command line; in
// screenshot mode also the frame argument. With no demo chosen the location stays as it was. A map or
// demo name the command line cannot carry throws (as QuotedArgument) before anything is copied. The
// frame is the frame box's number, at most the built-in demo's frame count (or, without one, the
// largest the game reads).
void InstallDemo(FileSystem& fs, const Folders& folders, const BenchSettings& settings, DemoLocation& location,
                 std::string& commandLine);

}  // namespace wmb
