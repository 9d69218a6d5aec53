#pragma once
// The three built-in quality presets and the templates the config writer starts from.

#include <array>
#include <optional>

#include "gameconfig/config_text.h"

namespace wmb {

enum class Preset { Ultra, Maximum, Minimum, Custom };

// The DetailBox item as a preset: 0 Ultra, 1 Maximum, 2 Minimum, 3 Custom; nothing for no selection.
std::optional<Preset> PresetFromDetailLevel(int detailLevel);

// The template compiled into the program for Ultra, Maximum or Minimum: a comment line, an empty line,
// the 147 console variable assignments, and the preset's trailing lines of one blank.
// Throws std::invalid_argument for Preset::Custom.
ConfigText CompiledTemplate(Preset preset);

// The preset templates as they stand in this run of the program. Each starts as the compiled text;
// writing a preset replaces its template with the text written, so later sequences build on it.
class PresetTemplates {
public:
    PresetTemplates();

    // Throw std::invalid_argument for Preset::Custom.
    const ConfigText& Get(Preset preset) const;
    void Replace(Preset preset, ConfigText text);

private:
    static std::size_t Slot(Preset preset);

    std::array<ConfigText, 3> texts_;
};

}  // namespace wmb
