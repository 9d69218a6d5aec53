#pragma once
// RSA signatures over SHA-256 checked with the Windows CryptoAPI (a PROV_RSA_AES context), for the update
// information file and its detached signature.

#include <string>

namespace wmb {

// Whether `signatureFile` (base64 text) is a signature over `data` by the key of `publicKeyPem`; false for
// a malformed signature or key, or when the provider cannot be had.
bool VerifySignedData(const std::string& publicKeyPem, const std::string& data, const std::string& signatureFile);

}  // namespace wmb
