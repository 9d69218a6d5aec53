#include "settings/option_rules.h"

#include "demos/demo_table.h"

namespace wmb {

bool CustomConfigControlsEnabled(int detailLevel) { return detailLevel == 3; }

CustomResolutionEffects CustomResolutionRule(bool checked, const std::string& width, const std::string& height) {
    CustomResolutionEffects fx;
    fx.SizeControlsEnabled = checked;
    fx.StoredFlag = checked && !width.empty() && !height.empty() ? "1" : "0";
    return fx;
}

std::string ChosenFolderText(const std::string& chosen) { return chosen.size() < 4 ? chosen : chosen + "\\"; }

std::string DefaultFolderText(bool gameExists, const Folders& folders, const std::string& subFolder) {
    return (gameExists ? folders.Game : folders.Program) + subFolder;
}

OpenFolderEffects OpenResultsFolderRule(const std::string& folder, bool folderExists) {
    OpenFolderEffects fx;
    if (folder.empty()) return fx;
    if (folderExists) {
        fx.Open = true;
    } else {
        fx.Message = kNoResultsFolderMessage;
    }
    return fx;
}

std::optional<std::string> DecimalTextAfterExit(const std::string& text, const std::string& storedSeparator) {
    if (text == "." || text == ",") return std::nullopt;
    return storedSeparator;
}

std::string WaitsLabel(const std::string& waitText) { return waitText == "1" ? "second." : "seconds."; }

std::string ReadyBenchCaption(bool screenshotMode) { return screenshotMode ? kScreenshotCaption : kBenchmarkCaption; }

ScreenshotModeEffects ScreenshotModeRule(bool on, bool runTwice, const std::string& storedRunCount, int demoIndex) {
    ScreenshotModeEffects fx;
    fx.FrameEditEnabled = on;
    fx.RunCountText = on ? RunCountForRunTwice(runTwice) : storedRunCount;
    fx.RunCountEnabled = !on;
    fx.GeneralPageEnabled = !on;
    fx.ScreenshotControlsEnabled = on;
    fx.AntialiasEnabled = !on;
    fx.BenchCaption = ReadyBenchCaption(on);
    fx.Status = on ? kScreenshotReadyStatus : "";
    fx.ShowDemoFramesDialog = on && demoIndex == kUserDemoIndex;
    return fx;
}

std::string FrameTextAfterExit(const std::string& text, int minimum, int maximum) {
    bool whole = !text.empty() && text.size() < 10;
    long long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            whole = false;
            break;
        }
        value = value * 10 + (c - '0');
    }
    if (whole && value >= minimum && value <= maximum) return text;
    return std::to_string(maximum);
}

bool HdrControlsEnabled(bool hdrChecked) { return hdrChecked; }

std::string RunCountForRunTwice(bool runTwice) { return runTwice ? "2" : "1"; }

DemoChoiceEffects DemoChoiceRule(int demoIndex) {
    DemoChoiceEffects fx;
    if (demoIndex == kUserDemoIndex) {
        fx.UserDemoControlsEnabled = true;
        fx.NewRangeShown = true;
        fx.FrameRangeLabel = kNoFrameRangeText;
    } else if (demoIndex >= 0 && demoIndex < kBuiltInDemoCount) {
        const int frames = kBuiltInDemos[static_cast<std::size_t>(demoIndex)].Frames;
        fx.FrameRangeLabel = FrameRangeText(frames);
        fx.FrameMaximum = frames;
    }
    return fx;
}

std::optional<ModeSize> ChosenModeSize(const std::vector<std::string>& modes, const std::vector<bool>& checked) {
    for (std::size_t i = 0; i < modes.size() && i < checked.size(); ++i) {
        if (!checked[i]) continue;
        const std::string& text = modes[i];
        const auto x = text.find('x');
        if (x == std::string::npos) return std::nullopt;
        // "W x H": the width ends at the blank before the "x", the height starts after the blank behind it.
        return ModeSize{text.substr(0, x > 0 ? x - 1 : 0), x + 2 <= text.size() ? text.substr(x + 2) : ""};
    }
    return std::nullopt;
}

}  // namespace wmb
