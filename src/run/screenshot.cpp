#include "run/screenshot.h"

#include <algorithm>

#include "results/report.h"
#include "settings/slots.h"

namespace wmb {

std::string PictureStamp(const std::string& sequenceStamp) {
    std::string stamp = sequenceStamp;
    stamp.erase(std::remove(stamp.begin(), stamp.end(), '_'), stamp.end());
    return stamp;
}

std::string SlotSuffix(int slot, const BenchSettings& settings) {
    return "_" + (slot == kCustomSlot ? settings.CustomWidth : SlotKey(slot));
}

std::string PictureBaseName(const std::string& screenshotFolder, const std::string& frameText,
                            const std::string& stamp, const std::string& suffix) {
    return screenshotFolder + "frame" + frameText + "_" + stamp + suffix;
}

std::vector<std::string> BuildScreenshotInfo(const ScreenshotInfoInput& input) {
    const BenchSettings& s = input.Settings;
    const std::string antialias = ItemText(kAntialiasItems, s.AntialiasIndex);
    std::vector<std::string> lines = {
        input.ResolutionLabel,
        "Frame: " + s.ScreenshotFrame,
        "Renderer: " + input.RendererLabel,
        "Demo: " + input.DemoName + ".tmd",
        input.ShaderLabel,
        "Antialising: " + antialias + (antialias == "None" ? "" : "\xD7"),
        "Anisotropic filtering: " + ItemText(kAnisotropyItems, s.AnisotropyIndex) + "\xD7",
        "Quality: " + input.QualityLabel,
        s.HdrEnabled ? "HDR: Level " + HdrLevelOrDefault(s.HdrLevel) : std::string("HDR: disabled"),
        s.NormalMapCompression ? "Normal-maps compression: enabled" : "Normal-maps compression: disabled",
        s.GeometryInstancing ? "Geometry Instancing: enabled" : "Geometry Instancing: disabled",
    };
    if (!s.Note.empty()) lines.push_back("Note: " + s.Note);
    return lines;
}

bool MoveScreenshot(FileSystem& fs, const Folders& folders, const std::string& sequenceStamp,
                    const ScreenshotInfoInput& input) {
    const std::string stamp = PictureStamp(sequenceStamp);
    const std::string picture = folders.Game + kGameScreenshotFile;
    if (!fs.FileExists(picture)) return false;
    const std::string base = PictureBaseName(input.Settings.ScreenshotFolder, input.Settings.ScreenshotFrame, stamp,
                                             SlotSuffix(input.Slot, input.Settings));
    fs.ShellMove(picture, base + ".jpg");
    fs.WriteFile(base + ".txt", JoinReport(BuildScreenshotInfo(input)));
    return true;
}

}  // namespace wmb
