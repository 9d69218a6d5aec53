#pragma once
// Signs an update information file as tools/sign-update does (openssl's RSA PKCS #1 v1.5 signature over
// SHA-256, then base64 in lines of 76 characters), for tests that make their information files as they go.
// The signature is deterministic, so the result is byte for byte the tool's; a unit test holds it to that.

#include <string>

namespace wmb::test {

// The signature file's text for `data`; empty when the key is not an RSA private key in PEM
// ("PRIVATE KEY" or "RSA PRIVATE KEY").
std::string SignLikeTheSignTool(const std::string& privateKeyPem, const std::string& data);

// base^exponent mod modulus, all most significant byte first; the result as long as the modulus, which must be
// odd and greater than the base.
std::string ModularPower(const std::string& base, const std::string& exponent, const std::string& modulus);

}  // namespace wmb::test
