#pragma once
// The user's rendering options as they reach the game: line substitutions in a preset's configuration
// text, the lines of the override file, and the shader path argument of the command line.

#include <string>
#include <vector>

#include "gameconfig/config_text.h"
#include "gameconfig/presets.h"
#include "settings/bench_settings.h"

namespace wmb {

// Replaces one line of `text` by `newLine`. The known lines are looked up in order; each one present marks
// the position of its first occurrence, and the position marked last is replaced, so the text keeps its
// order and length. Returns false, leaving the text as it was, when no known line is present.
bool SubstituteLine(ConfigText& text, const std::vector<std::string>& knownLines, const std::string& newLine);

// Applies the anisotropic filtering, antialiasing, renderer and language choices, in that order. A choice of
// "From System", or no selection, leaves its line as it is. Returns the renderer label, "Direct3D" or "OpenGL".
std::string ApplyOptions(ConfigText& text, const BenchSettings& settings);

// Sets the vegetation sprite distance ratio to "100.0" with geometry instancing, to "1.0" without it,
// whatever value the line held.
void ApplyVegetationRatio(ConfigText& text, bool geometryInstancing);

// The lines of the override file for a preset, in file order.
ConfigText OverrideLines(Preset preset, const BenchSettings& settings);

// The shader path command-line argument with its enclosing double quotes, or "" for the Direct3D default
// model and for any other renderer.
std::string ShaderPathArgument(const BenchSettings& settings);

// Whether the program's own shader compiler must replace the game's fxc.exe, given the normalised version
// text of the game's file: true for any text other than "" and "9.7.239.0", so a missing file or one
// without version information ("Value Not Available") is replaced too.
bool ShaderCompilerNeedsCopy(const std::string& fxcVersionText);

}  // namespace wmb
