#include "update/sha256.h"

#include <gtest/gtest.h>

namespace wmb {
namespace {

struct Vector {
    std::string input;
    const char* digest;
};

// The published SHA-256 test vectors; the 55/56/64-byte inputs sit at the padding's edges.
TEST(Sha256, StandardVectors) {
    const Vector vectors[] = {
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
         "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
        {"abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmnoijklmnopjklmnopqklmnopqrlmnopqrsmnopqrstnopqrstu",
         "cf5b16a778af8380036ce59e7b0492370b249b11e8f07a51afac45037afee9d1"},
        {std::string(1000000, 'a'), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
    };
    for (const Vector& v : vectors) EXPECT_EQ(Sha256Hex(v.input), v.digest) << v.input.substr(0, 20);
}

TEST(Sha256, PiecesOfAnySizeGiveTheWholeDigest) {
    const std::string input(1000, 'x');
    Sha256 sha;
    for (std::size_t at = 0, piece = 1; at < input.size(); at += piece, piece = piece * 3 % 97 + 1)
        sha.Update(input.substr(at, piece));
    EXPECT_EQ(sha.HexDigest(), Sha256Hex(input));
    EXPECT_EQ(sha.HexDigest(), Sha256Hex(""));  // starts afresh
}

}  // namespace
}  // namespace wmb
