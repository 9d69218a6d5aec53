#pragma once
// The shipped timedemos and their installation into the game's level folders.

#include <array>
#include <string>

#include "platform/file_system.h"
#include "settings/bench_settings.h"

namespace wmb {

struct DemoEntry {
    const char* Caption;      // radio item text
    const char* Map;          // level folder under Game folder + "Levels\"
    const char* MapArgument;  // map name on the command line
    const char* DemoFile;     // file name inside the level folder
    const char* Source;       // shipped copy, relative to the Program folder
    const char* DemoName;     // demo file without ".tmd"
    int Frames;
};

inline constexpr int kBuiltInDemoCount = 11;
inline constexpr int kUserDemoIndex = 11;
inline constexpr const char* kUserDemoCaption = "User defined demo";
inline constexpr const char* kNoFrameRangeText = "(No frame range.)";

inline constexpr std::array<DemoEntry, kBuiltInDemoCount> kBuiltInDemos = {{
    {"Pixelgrund Demo", "Pier", "pier", "1.tmd", "PXG\\1.tmd", "1", 3721},
    {"Kestrane- Steam", "Steam", "Steam", "kststeam.tmd", "KST\\kststeam.tmd", "kststeam", 4053},
    {"Norbury - Regulator", "Regulator", "Regulator", "nb1-regulator.tmd", "NB\\nb1-regulator.tmd", "nb1-regulator",
     4636},
    {"Kestrane - Volcano", "Volcano", "Volcano", "kstvolcano.tmd", "KST\\kstvolcano.tmd", "kstvolcano", 6791},
    {"Polyfax - Research", "Research", "Research", "polyfax001.tmd", "Polyfax\\polyfax001.tmd", "polyfax001", 2819},
    {"Arvenel - Regulator", "Regulator", "Regulator", "Regulator.tmd", "Arvenel\\Regulator.tmd", "Regulator", 3039},
    {"Arvenel - Research", "Research", "Research", "Research.tmd", "Arvenel\\Research.tmd", "Research", 1511},
    {"Arvenel - Training", "Training", "Training", "Training.tmd", "Arvenel\\Training.tmd", "Training", 2842},
    {"Arvenel - Volcano", "Volcano", "Volcano", "Volcano.tmd", "Arvenel\\Volcano.tmd", "Volcano", 5466},
    {"Kestrane - Archive", "Archive", "Archive", "Archive1.tmd", "KST\\Archive1.tmd", "Archive1", 9576},
    {"Kestrane - River", "River", "River", "kstriver.tmd", "KST\\kstriver.tmd", "kstriver", 4217},
}};

// "(1 - <frames> frames)", the frame range label of a built-in demo.
std::string FrameRangeText(int frames);

// Where the demo of the current game start lives; it also names the timedemo log.
struct DemoLocation {
    std::string MapFolder;  // map folder with a trailing backslash, such as "Pier\"
    std::string DemoName;
};

// The map's name: its folder without the trailing backslash.
std::string MapName(const DemoLocation& demo);

// Puts the chosen demo into its level folder when it is missing there (an existing file is never
// replaced), sets the location and appends the map and demo arguments to the command line; in
// screenshot mode also the frame argument. With no demo chosen the location stays as it was. A map or
// demo name the command line cannot carry throws (as QuotedArgument) before anything is copied. The
// frame is the frame box's number, at most the built-in demo's frame count (or, without one, the
// largest the game reads).
void InstallDemo(FileSystem& fs, const Folders& folders, const BenchSettings& settings, DemoLocation& location,
                 std::string& commandLine);

}  // namespace wmb
