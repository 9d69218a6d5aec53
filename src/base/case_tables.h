#pragma once
// Case folding of 8-bit ANSI text: the byte tables (an identity table, a lower-case table and the set of
// delimiter bytes, every byte that is not alphanumeric), built once for the ANSI code page, the
// case-insensitive text helpers that use them, and their plain ASCII counterparts for texts whose readers
// fold only A-Z.

#include <array>
#include <string>
#include <string_view>

namespace wmb {

struct TCaseTables {
    std::array<unsigned char, 256> Identity{};
    std::array<unsigned char, 256> Lower{};
    std::array<bool, 256> Delimiter{};
};

// Builds the tables from the code page's lower-casing and alphanumeric test.
TCaseTables BuildCaseTables(unsigned char (*lower)(unsigned char), bool (*isAlphaNumeric)(unsigned char));

// Lower-casing and alphanumeric classes of the Western ANSI code page (Windows-1252).
unsigned char AnsiLower(unsigned char c);
bool AnsiIsAlphaNumeric(unsigned char c);

// The tables of the Western ANSI code page, built on first use.
const TCaseTables& CaseTables();

std::string LowerText(std::string_view text);
bool SameTextIgnoringCase(std::string_view a, std::string_view b);

// A-Z folded to a-z; every other byte kept.
char AsciiLower(char c);
// Whole texts equal when only A-Z are folded.
bool SameTextIgnoringAsciiCase(std::string_view a, std::string_view b);
// Whether `key` occurs in `text` when only A-Z are folded; an empty key always does.
bool ContainsIgnoringAsciiCase(std::string_view text, std::string_view key);

}  // namespace wmb
