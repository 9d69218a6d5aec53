#pragma once
// SHA-256 of a byte stream, fed in pieces of any size.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace wmb {

class Sha256 {
public:
    Sha256();
    void Update(const void* data, std::size_t size);
    void Update(const std::string& bytes) { Update(bytes.data(), bytes.size()); }
    // The digest as 64 lower-case hex digits; the object starts afresh afterwards.
    std::string HexDigest();

private:
    void Reset();
    void Block(const std::uint8_t* block);

    std::array<std::uint32_t, 8> state_{};
    std::array<std::uint8_t, 64> buffer_{};
    std::size_t buffered_ = 0;
    std::uint64_t length_ = 0;  // bytes fed so far
};

std::string Sha256Hex(const std::string& bytes);

}  // namespace wmb
