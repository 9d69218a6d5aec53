#pragma once
// What the fuzz targets share. Each input is a whole file of the target's kind (a log, a report, a
// configuration), so the seed corpus holds plain files; the few choices a target needs besides the
// file (a separator, a list item) come from the file's last bytes, which the fuzzer changes as
// easily as any other.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace wmb::fuzz {

inline std::string InputText(const std::uint8_t* data, std::size_t size) {
    return std::string(reinterpret_cast<const char*>(data), size);
}

// Byte `k` counted from the end (0 is the last byte); 0 when the input is shorter.
inline unsigned TailByte(const std::string& input, std::size_t k) {
    return k < input.size() ? static_cast<unsigned char>(input[input.size() - 1 - k]) : 0u;
}

// A list item from -1 (no selection) to count - 1, taken from tail byte `k`.
inline int TailChoice(const std::string& input, std::size_t k, int count) {
    return static_cast<int>(TailByte(input, k) % static_cast<unsigned>(count + 1)) - 1;
}

inline bool TailBit(const std::string& input, std::size_t k, unsigned bit) { return (TailByte(input, k) >> bit) & 1u; }

// A broken invariant is a finding like a sanitizer error: libFuzzer keeps the input.
inline void Require(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}

}  // namespace wmb::fuzz
