#pragma once
// The game's configuration as an ordered list of lines. Lines are compared whole and without regard to
// letter case, as the game itself reads its console variables.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace wmb {

using ConfigText = std::vector<std::string>;

// Splits file bytes at CR LF, LF or a lone CR. A line end after the last line adds no empty line.
ConfigText SplitConfigLines(const std::string& bytes);
// File bytes: every line followed by CR LF, the last one included.
std::string JoinConfigLines(const ConfigText& lines);

// Whole-line comparison without regard to the case of ASCII letters.
bool SameLine(const std::string& a, const std::string& b);
// Position of the first line equal to `line` (see SameLine).
std::optional<std::size_t> FindLine(const ConfigText& text, const std::string& line);

// An assignment line as the game writes it: name = "value".
std::string AssignmentLine(const std::string& name, const std::string& value);

}  // namespace wmb
