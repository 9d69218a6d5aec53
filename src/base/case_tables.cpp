// The ANSI byte tables and the case-insensitive helpers built on them.

#include "base/case_tables.h"

#include <algorithm>

namespace wmb {

TCaseTables BuildCaseTables(unsigned char (*lower)(unsigned char), bool (*isAlphaNumeric)(unsigned char)) {
    TCaseTables t;
    for (int i = 0; i < 256; ++i) {
        const auto c = static_cast<unsigned char>(i);
        t.Identity[i] = c;
        t.Lower[i] = lower(c);
        t.Delimiter[i] = !isAlphaNumeric(c);
    }
    return t;
}

unsigned char AnsiLower(unsigned char c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return static_cast<unsigned char>(c + 0x20);
    switch (c) {
    case 0x8A: return 0x9A;  // S caron
    case 0x8C: return 0x9C;  // OE
    case 0x8E: return 0x9E;  // Z caron
    case 0x9F: return 0xFF;  // Y diaeresis
    default: return c;
    }
}

bool AnsiIsAlphaNumeric(unsigned char c) {
    if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) return true;
    switch (c) {
    case 0x83: case 0x8A: case 0x8C: case 0x8E: case 0x9A: case 0x9C: case 0x9E: case 0x9F:
    case 0xAA: case 0xB5: case 0xBA:
        return true;
    default:
        return c >= 0xC0 && c != 0xD7 && c != 0xF7;
    }
}

const TCaseTables& CaseTables() {
    static const TCaseTables tables = BuildCaseTables(AnsiLower, AnsiIsAlphaNumeric);
    return tables;
}

std::string LowerText(std::string_view text) {
    const TCaseTables& t = CaseTables();
    std::string out(text);
    for (char& c : out) c = static_cast<char>(t.Lower[static_cast<unsigned char>(c)]);
    return out;
}

bool SameTextIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    const TCaseTables& t = CaseTables();
    for (std::size_t i = 0; i < a.size(); ++i)
        if (t.Lower[static_cast<unsigned char>(a[i])] != t.Lower[static_cast<unsigned char>(b[i])]) return false;
    return true;
}

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameTextIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

bool ContainsIgnoringAsciiCase(std::string_view text, std::string_view key) {
    return std::search(text.begin(), text.end(), key.begin(), key.end(),
                       [](char x, char y) { return AsciiLower(x) == AsciiLower(y); }) != text.end() ||
           key.empty();
}

}  // namespace wmb
