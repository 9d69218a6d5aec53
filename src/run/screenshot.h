#pragma once
// Screenshot mode: naming the captured frame of a slot and the information file beside it.

#include <string>
#include <vector>

#include "platform/file_system.h"
#include "settings/bench_settings.h"

namespace wmb {

// Name of the picture the game saves in the Game folder.
inline constexpr const char* kGameScreenshotFile = "Wildmere0000.jpg";

// The sequence stamp without its "_" characters.
std::string PictureStamp(const std::string& sequenceStamp);

// "_640" ... "_2048" for the fixed slots, "_" + custom width for the custom slot.
std::string SlotSuffix(int slot, const BenchSettings& settings);

// Screenshot folder + "frame" + frame + "_" + stamp + suffix, without extension.
std::string PictureBaseName(const std::string& screenshotFolder, const std::string& frameText,
                            const std::string& stamp, const std::string& suffix);

struct ScreenshotInfoInput {
    int Slot = 0;                 // 0..6, see settings/slots.h
    BenchSettings Settings;       // folder, frame, AABox, AFBox, HDR, CompRess, GI, note, custom width
    std::string ResolutionLabel;  // "Resolution: " + slot label
    std::string ShaderLabel;      // "Pixel shader: ..." of the sequence
    std::string RendererLabel;
    std::string QualityLabel;
    std::string DemoName;
};

// The information lines: 11, or 12 when there is a note.
std::vector<std::string> BuildScreenshotInfo(const ScreenshotInfoInput& input);

// Moves the game's picture of the slot that just ended into the Screenshot folder and writes its
// information file beside it. Returns false, writing nothing, when the game left no picture.
// A failure to write the information file throws as FileSystem::WriteFile does.
bool MoveScreenshot(FileSystem& fs, const Folders& folders, const std::string& sequenceStamp,
                    const ScreenshotInfoInput& input);

}  // namespace wmb
