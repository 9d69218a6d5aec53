#pragma once
// Plain text helpers for 8-bit ANSI text: lines, blanks, digits, command-line quoting and HTML escaping.

#include <string>
#include <string_view>
#include <vector>

namespace wmb {

// The lines of a text: CR LF, LF and CR each end a line; a last line without an end is kept, a final line
// end adds no empty line.
std::vector<std::string> SplitLines(std::string_view bytes);
// The lines as file bytes, every line followed by CR LF.
std::string JoinLines(const std::vector<std::string>& lines);

// A space or a tab.
bool IsBlank(char c);
// A decimal digit 0-9.
bool IsDigit(char c);
// The text without the blanks (spaces and tabs) at its start and its end.
std::string TrimBlanks(std::string_view text);

// The text in double quotes.
std::string Quoted(std::string_view text);
// Whether the text can stand in double quotes as one command-line argument: it holds no double quote and
// no control character.
bool Quotable(std::string_view text);

// Characters with a meaning in HTML become entities; everything else is kept as it is.
std::string EscapeHtml(std::string_view text);

}  // namespace wmb
