#pragma once
// The shipped timedemos: their captions, level folders, files and frame counts.

#include <array>
#include <string>

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

}  // namespace wmb
