#pragma once
// Every user choice of the main window. The window copies its controls into this record before
// the logic reads it, and copies it back after loading the settings.

#include <array>
#include <string>

namespace wmb {

inline constexpr int kFixedSlotCount = 6;

struct BenchSettings {
    std::string GamePath;          // WMPathEdit: full path of Wildmere.exe
    std::string ResultsFolder;     // ResEdit, trailing backslash
    std::string ScreenshotFolder;  // ScrsaveFold, trailing backslash
    std::string CustomConfigPath;  // DetailEdit

    std::array<bool, kFixedSlotCount> ResolutionChecked{};    // items of res
    std::array<bool, kFixedSlotCount> ResolutionAvailable{};  // item enabled state of res
    std::string CustomWidth;   // CusWidth
    std::string CustomHeight;  // CusHeight
    bool CustomResolution = false;  // cusresbox

    int DemoIndex = -1;        // demo: 0..10 built-in, 11 user-defined
    int DetailLevel = -1;      // DetailBox: 0 Ultra, 1 Maximum, 2 Minimum, 3 Custom config file
    int ShaderModel = -1;      // PShader: 0 default, 1 2.0b, 2 3.0
    int RendererIndex = -1;    // RendererBox: 0 Direct3D, 1 OpenGL
    int AnisotropyIndex = -1;  // AFBox: "1","2","4","8","16","From System"
    int AntialiasIndex = -1;   // AABox: "None","2","4","6","8","From System"
    std::string RunCount;      // RunNumberBox text
    std::string Note;          // NoteEdit
    std::string WaitSeconds;   // waits
    bool HdrEnabled = false;   // hdrbox
    std::string HdrLevel;      // HDRLevelBox
    bool GeometryInstancing = false;    // GIBox
    bool NormalMapCompression = false;  // CompRessBox
    int LanguageIndex = -1;    // LangBox: 0 "Select language", 1..8 languages
    bool AddDisplayInfo = true;          // AddInfo
    std::string ReportDecimalSeparator;  // DecBox
    bool RepeatVaryingSlots = false;          // RepeatBox: launch a slot again while its runs vary
    std::string RepeatLimitPercent = "3";     // RepeatLimitEdit: the coefficient of variation allowed
    std::string RepeatMostLaunches = "2";     // RepeatMostEdit: at most this many launches more per slot
    std::string UserMapFolder;  // mapnamebox text
    std::string UserDemoFile;   // demonamebox text

    // Sequence-only, never stored.
    bool ScreenshotMode = false;  // EnableScShot
    std::string ScreenshotFrame;  // FrameEdit text
    bool RunTwice = false;        // sectime
};

// Item texts of the list controls, in item order.
inline constexpr std::array<const char*, 6> kAnisotropyItems = {"1", "2", "4", "8", "16", "From System"};
inline constexpr std::array<const char*, 6> kAntialiasItems = {"None", "2", "4", "6", "8", "From System"};
inline constexpr std::array<const char*, 2> kRendererItems = {"Direct3D", "OpenGL"};
inline constexpr std::array<const char*, 3> kShaderItems = {"Default model", "Shader model 2.0b", "Shader model 3.0"};
inline constexpr std::array<const char*, 4> kDetailItems = {"Ultra details", "Maximum details", "Minimum details",
                                                            "Custom config file:"};
inline constexpr std::array<const char*, 9> kLanguageItems = {"Select language", "English", "Spanish", "French",
                                                              "German", "Italian", "Japanese", "Polish", "Russian"};
inline constexpr std::array<const char*, 9> kRunCountItems = {"1", "2", "3", "4", "5", "15", "25", "50", "100"};

// The HDR level box takes 1 to 11; a game started with HDR on gets this level when the box holds none of them.
inline constexpr const char* kDefaultHdrLevel = "1";
inline bool IsHdrLevel(const std::string& text) {
    static constexpr std::array<const char*, 11> kLevels = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11"};
    for (const char* level : kLevels) {
        if (text == level) return true;
    }
    return false;
}
inline std::string HdrLevelOrDefault(const std::string& text) { return IsHdrLevel(text) ? text : kDefaultHdrLevel; }

// The repeat boxes: a whole number from 1 without a leading zero, of at most so many digits (1 to 99 % and
// 1 to 9 more launches); a box holding anything else counts as holding its default.
inline constexpr const char* kDefaultRepeatLimitPercent = "3";
inline constexpr const char* kDefaultRepeatMostLaunches = "2";
inline constexpr int kRepeatLimitDigits = 2;
inline constexpr int kRepeatMostDigits = 1;
inline bool IsPositiveWhole(const std::string& text, int maxDigits) {
    if (text.empty() || text.size() > static_cast<std::size_t>(maxDigits) || text[0] == '0') return false;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

// Text of item `index` of a list, or "" when nothing is selected.
template <std::size_t N>
std::string ItemText(const std::array<const char*, N>& items, int index) {
    return index >= 0 && index < static_cast<int>(N) ? items[static_cast<std::size_t>(index)] : "";
}

// Index of the item whose text is `text`, or -1.
template <std::size_t N>
int ItemIndex(const std::array<const char*, N>& items, const std::string& text) {
    for (std::size_t i = 0; i < N; ++i) {
        if (text == items[i]) return static_cast<int>(i);
    }
    return -1;
}

// The three folders every file name is joined to; each ends in a backslash (empty while unknown).
struct Folders {
    std::string Program;
    std::string Bin32;
    std::string Game;
};

}  // namespace wmb
