#pragma once
// The rules by which the main window's controls answer one another. Each takes the state it needs
// and returns what changes; the window applies the result and touches nothing else.

#include <optional>
#include <string>
#include <vector>

#include "settings/bench_settings.h"

namespace wmb {

inline constexpr const char* kBenchmarkCaption = "Benchmark";
inline constexpr const char* kScreenshotCaption = "Screenshot";
inline constexpr const char* kScreenshotReadyStatus = "Set the parameters & get screenshot!";
inline constexpr const char* kNoResultsFolderMessage = "The results directory not exist.";
inline constexpr const char* kResultsSubFolder = "Benchmark\\";
inline constexpr const char* kScreenshotSubFolder = "Screenshot\\";

// Detail level: the custom configuration file's box and button are usable only with "Custom config file:".
bool CustomConfigControlsEnabled(int detailLevel);

// Custom resolution check box: its size boxes and "Possibilities" follow the box; the stored flag is
// on only when the box is checked and both sizes are known.
struct CustomResolutionEffects {
    bool SizeControlsEnabled = false;
    std::string StoredFlag;  // "1" or "0"
};
CustomResolutionEffects CustomResolutionRule(bool checked, const std::string& width, const std::string& height);

// A folder the user picked in the folder dialog, as the box shows it: a drive root keeps its own
// backslash, any other folder gets one.
std::string ChosenFolderText(const std::string& chosen);

// The default results or screenshot folder: in the Game folder while the game's executable exists,
// else in the Program folder.
std::string DefaultFolderText(bool gameExists, const Folders& folders, const std::string& subFolder);

// "Open" beside the results folder.
struct OpenFolderEffects {
    bool Open = false;                   // ask the shell to open the folder
    std::optional<std::string> Message;  // tell the user instead
};
OpenFolderEffects OpenResultsFolderRule(const std::string& folder, bool folderExists);

// The label beside the decimal separator box is DecimalSeparatorLabel() of the settings table.
// Leaving the decimal box: a text other than "." or "," gives way to the stored separator.
std::optional<std::string> DecimalTextAfterExit(const std::string& text, const std::string& storedSeparator);

// The word after the wait box.
std::string WaitsLabel(const std::string& waitText);

// The Benchmark button's caption once the game is usable.
std::string ReadyBenchCaption(bool screenshotMode);

// Switching screenshot mode on or off.
struct ScreenshotModeEffects {
    bool FrameEditEnabled = false;
    std::string RunCountText;  // what the run-count box selects or shows
    bool RunCountEnabled = true;
    bool GeneralPageEnabled = true;
    bool ScreenshotControlsEnabled = false;  // output folder box, its two buttons and "New range"
    bool AntialiasEnabled = true;
    std::string BenchCaption;
    std::string Status;
    bool ShowDemoFramesDialog = false;
};
ScreenshotModeEffects ScreenshotModeRule(bool on, bool runTwice, const std::string& storedRunCount,
                                         int demoIndex);

// Leaving the frame box: the frame number the box keeps.
std::string FrameTextAfterExit(const std::string& text, int minimum, int maximum);

// HDR check box: the level box (with its arrows) and "Run the demo twice" follow it.
bool HdrControlsEnabled(bool hdrChecked);

// "Run the demo twice": the run count it selects.
std::string RunCountForRunTwice(bool runTwice);

// Choosing a demo.
struct DemoChoiceEffects {
    bool UserDemoControlsEnabled = false;  // map box, demo box and "Import demo"
    bool NewRangeShown = false;
    std::string FrameRangeLabel;
    std::optional<int> FrameMaximum;  // a built-in demo fixes the frame range
};
DemoChoiceEffects DemoChoiceRule(int demoIndex);

// The monitor resolutions dialog's "Add": the first checked of the listed modes ("1024 x 768"), split
// at its "x" into width and height; nullopt when none is checked or the text holds no "x".
struct ModeSize {
    std::string Width;
    std::string Height;
};
std::optional<ModeSize> ChosenModeSize(const std::vector<std::string>& modes, const std::vector<bool>& checked);

}  // namespace wmb
