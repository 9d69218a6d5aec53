#pragma once
// The plain INI text of profiles and sweep files: one section header, then "key=value" lines, with comment
// lines starting with ';' or '#' and blank lines anywhere. 8-bit ANSI text; lines end in CR LF, LF or CR.

#include <string>
#include <variant>
#include <vector>

namespace wmb {

// Why a file was refused. Message is the whole text for the user: "line 7: Renderer must be ...".
struct ProfileError {
    int Line = 0;
    std::string Key;  // the line's key (a known one in its table spelling); "" when the line has none
    std::string Message;
};

// "line N: " + text.
ProfileError LineError(int line, const std::string& key, const std::string& text);

struct IniEntry {
    int Line = 0;
    std::string Key;    // as written, blanks trimmed
    std::string Value;  // blanks trimmed
};

// The entries of a text whose first line that is not blank or a comment is "[section]" (the name compared
// without regard to case, blanks inside the brackets ignored). Refused: a text saved as Unicode (a byte-order
// mark), a missing or other section, a line that is neither comment, section nor key=value, an empty key.
std::variant<std::vector<IniEntry>, ProfileError> ReadIniSection(const std::string& text, const std::string& section);

}  // namespace wmb
