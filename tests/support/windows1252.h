#pragma once
// The Windows-1252 code page to UTF-16, as MultiByteToWideChar(1252) converts it: what the portable
// tests use in place of the system's ANSI code page.

#include <array>
#include <string>

namespace wmb::test {

inline std::u16string Windows1252ToUtf16(const std::string& text) {
    // 0x80..0x9F; the five bytes the code page leaves undefined stand for themselves.
    static constexpr std::array<char16_t, 32> kHigh = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    std::u16string wide;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        wide += byte >= 0x80 && byte < 0xA0 ? kHigh[byte - 0x80] : static_cast<char16_t>(byte);
    }
    return wide;
}

}  // namespace wmb::test
