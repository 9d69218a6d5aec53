// The CryptoAPI check of the information file's signature, with the key built into the program and
// signatures made as tools/sign-update makes them.

#include "platform/win32/signature_verifier_win32.h"

#include <gtest/gtest.h>

#include "support/rsa_test_signer.h"
#include "support/update_test_private_key.h"
#include "update/update_public_key.h"

namespace wmb {
namespace {

TEST(SignatureVerifier, AcceptsOnlyTheKeysSignatureOfTheseVeryBytes) {
    const std::string info = "#version=1.9\r\n#url=http://h/WildmereBench.exe\r\n";
    const std::string signature = test::SignLikeTheSignTool(test::kUpdateTestPrivateKeyPem, info);
    ASSERT_FALSE(signature.empty());
    EXPECT_TRUE(VerifySignedData(kUpdatePublicKeyPem, info, signature));
    std::string flipped = signature;
    flipped[10] = flipped[10] == 'A' ? 'B' : 'A';
    const struct {
        const char* why;
        std::string data, signature;
    } refused[] = {
        {"other bytes", info + " ", signature},
        {"a changed signature", info, flipped},
        {"no signature", info, ""},
        {"not base64", info, std::string(344, '*')},
    };
    for (const auto& c : refused) EXPECT_FALSE(VerifySignedData(kUpdatePublicKeyPem, c.data, c.signature)) << c.why;
    EXPECT_FALSE(VerifySignedData("no key", info, signature));
}

}  // namespace
}  // namespace wmb
