#pragma once
// The results of a sequence as JSON (result_STAMP_.json): pure ASCII, two-space indentation, CR LF line
// ends; a character beyond ASCII in the program's 8-bit text is written as \uXXXX of that character.

#include <functional>
#include <string>

#include "results/sequence_results.h"

namespace wmb {

// Converts 8-bit text in the program's ANSI code page to UTF-16.
using AnsiToUtf16 = std::function<std::u16string(const std::string&)>;

// A JSON string (with its quotes) of 8-bit ANSI text.
std::string JsonString(const std::string& text, const AnsiToUtf16& toUtf16);

std::string ResultsJson(const SequenceResults& results, const AnsiToUtf16& toUtf16);

}  // namespace wmb
