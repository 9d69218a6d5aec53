#include "platform/win32/signature_verifier_win32.h"

#include <windows.h>
#include <wincrypt.h>

#include "update/update_signature.h"

namespace wmb {
namespace {

// The three objects of one check, given back in the reverse order of their making.
struct CryptoObjects {
    HCRYPTPROV provider = 0;
    HCRYPTKEY key = 0;
    HCRYPTHASH hash = 0;
    CryptoObjects() = default;
    CryptoObjects(const CryptoObjects&) = delete;
    CryptoObjects& operator=(const CryptoObjects&) = delete;
    ~CryptoObjects() {
        if (hash) CryptDestroyHash(hash);
        if (key) CryptDestroyKey(key);
        if (provider) CryptReleaseContext(provider, 0);
    }
};

const BYTE* Bytes(const std::string& text) { return reinterpret_cast<const BYTE*>(text.data()); }

}  // namespace

bool VerifySignedData(const std::string& publicKeyPem, const std::string& data, const std::string& signatureFile) {
    const auto key = ReadRsaPublicKey(publicKeyPem);
    const auto signature = ParseSignatureFile(signatureFile);
    if (!key || !signature || signature->size() != key->Modulus.size()) return false;
    const std::string blob = PublicKeyBlob(*key);
    const std::string reversed = LittleEndianSignature(*signature);
    CryptoObjects crypto;
    return CryptAcquireContextA(&crypto.provider, nullptr, nullptr, PROV_RSA_AES, CRYPT_VERIFYCONTEXT) &&
           CryptImportKey(crypto.provider, Bytes(blob), static_cast<DWORD>(blob.size()), 0, 0, &crypto.key) &&
           CryptCreateHash(crypto.provider, CALG_SHA_256, 0, 0, &crypto.hash) &&
           CryptHashData(crypto.hash, Bytes(data), static_cast<DWORD>(data.size()), 0) &&
           CryptVerifySignatureA(crypto.hash, Bytes(reversed), static_cast<DWORD>(reversed.size()), crypto.key,
                                 nullptr, 0);
}

}  // namespace wmb
