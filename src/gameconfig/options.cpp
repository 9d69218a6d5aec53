#include "gameconfig/options.h"

#include <algorithm>
#include <initializer_list>

namespace wmb {

namespace {

constexpr const char* kVegetationRatio = "e_vegetation_sprites_distance_ratio";
// g_language values of the LangBox items 1 to 8.
constexpr std::initializer_list<const char*> kLanguageValues = {"english", "spanish", "french",   "german",
                                                                "italian", "japanese", "polish", "russian"};

std::vector<std::string> Assignments(const std::string& name, std::initializer_list<const char*> values) {
    std::vector<std::string> lines;
    for (const char* value : values) lines.push_back(AssignmentLine(name, value));
    return lines;
}

std::string GeometryInstancingLine(bool on) {
    return AssignmentLine("r_geominstancing", on ? "1" : "0");
}

std::string VegetationRatioLine(bool geometryInstancing) {
    return AssignmentLine(kVegetationRatio, geometryInstancing ? "100.0" : "1.0");
}

void ApplyAnisotropy(ConfigText& text, int index) {
    const std::string choice = ItemText(kAnisotropyItems, index);
    if (choice.empty() || choice == "From System") return;
    SubstituteLine(text, Assignments("r_Texture_Anisotropic_Level", {"1", "2", "4", "8", "16"}),
                   AssignmentLine("r_Texture_Anisotropic_Level", choice));
}

void ApplyAntialiasing(ConfigText& text, int index) {
    const std::string choice = ItemText(kAntialiasItems, index);
    if (choice.empty() || choice == "From System") return;
    const bool none = choice == "None";
    SubstituteLine(text, Assignments("r_FSAA", {"0", "1"}), AssignmentLine("r_FSAA", none ? "0" : "1"));
    SubstituteLine(text, Assignments("r_FSAA_samples", {"1", "2", "4", "6", "8"}),
                   AssignmentLine("r_FSAA_samples", none ? "1" : choice));
}

std::string ApplyRenderer(ConfigText& text, int index) {
    const bool direct3D = ItemText(kRendererItems, index) == "Direct3D";
    SubstituteLine(text, Assignments("r_Driver", {"Direct3D9", "OpenGL"}),
                   AssignmentLine("r_Driver", direct3D ? "Direct3D9" : "OpenGL"));
    return direct3D ? "Direct3D" : "OpenGL";
}

void ApplyLanguage(ConfigText& text, int index) {
    if (index < 1 || index > static_cast<int>(kLanguageValues.size())) return;
    SubstituteLine(text, Assignments("g_language", kLanguageValues),
                   AssignmentLine("g_language", kLanguageValues.begin()[index - 1]));
}

}  // namespace

bool SubstituteLine(ConfigText& text, const std::vector<std::string>& knownLines, const std::string& newLine) {
    std::optional<std::size_t> marked;
    for (const auto& known : knownLines) {
        if (const auto position = FindLine(text, known)) marked = position;
    }
    if (!marked) return false;
    text[*marked] = newLine;
    return true;
}

std::string ApplyOptions(ConfigText& text, const BenchSettings& settings) {
    ApplyAnisotropy(text, settings.AnisotropyIndex);
    ApplyAntialiasing(text, settings.AntialiasIndex);
    std::string rendererLabel = ApplyRenderer(text, settings.RendererIndex);
    ApplyLanguage(text, settings.LanguageIndex);
    return rendererLabel;
}

void ApplyVegetationRatio(ConfigText& text, bool geometryInstancing) {
    const std::string assignsRatio = std::string(kVegetationRatio) + " = \"";
    const auto it = std::find_if(text.begin(), text.end(), [&](const std::string& line) {
        return line.size() >= assignsRatio.size() && SameLine(line.substr(0, assignsRatio.size()), assignsRatio);
    });
    if (it != text.end()) *it = VegetationRatioLine(geometryInstancing);
}

ConfigText OverrideLines(Preset preset, const BenchSettings& settings) {
    ConfigText lines{GeometryInstancingLine(settings.GeometryInstancing)};
    if (preset == Preset::Ultra) {
        lines.push_back(AssignmentLine("r_water_ocean_sun_reflection", "1"));
        lines.push_back(AssignmentLine("e_water_ocean_tesselation", "2"));
    } else if (preset == Preset::Custom) {
        lines.push_back(VegetationRatioLine(settings.GeometryInstancing));
    }
    if (settings.ScreenshotMode && !settings.AddDisplayInfo) lines.push_back(AssignmentLine("demo_noinfo", "1"));
    return lines;
}

std::string ShaderPathArgument(const BenchSettings& settings) {
    if (ItemText(kRendererItems, settings.RendererIndex) != "Direct3D") return "";
    switch (settings.ShaderModel) {
        case 1: return "\"r_SM2XPATH 1\"";
        case 2: return "\"r_SM30PATH 1\"";
        default: return "";
    }
}

bool ShaderCompilerNeedsCopy(const std::string& fxcVersionText) {
    return !fxcVersionText.empty() && fxcVersionText != "9.7.239.0";
}

}  // namespace wmb
