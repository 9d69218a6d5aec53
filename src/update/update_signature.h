#pragma once
// The detached signature of the update information file and the maker's public key in the forms the
// Windows CryptoAPI takes. The signature file holds the base64 text of an RSA PKCS #1 v1.5 signature over the
// SHA-256 of the information file's bytes, as `openssl dgst -sha256 -sign` writes it (most significant byte
// first); the key is a PEM "PUBLIC KEY" (or "RSA PUBLIC KEY") of at least 2048 bits.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace wmb {

inline constexpr std::size_t kMinRsaKeyBits = 2048;
inline constexpr std::size_t kMaxRsaKeyBits = 8192;

// Strict base64 with "=" padding; blanks, tabs and line breaks anywhere are ignored. Nothing for anything else.
std::optional<std::string> DecodeBase64(const std::string& text);

// A reader of DER: elements of a definite length (at most three length octets), one after the other.
class DerReader {
public:
    explicit DerReader(std::string_view bytes) : rest_(bytes) {}
    bool Empty() const { return rest_.empty(); }
    // The content of the next element when it has this tag; nothing (and nothing read) otherwise.
    std::optional<std::string_view> Next(unsigned char tag);

private:
    std::string_view rest_;
};

inline constexpr unsigned char kDerSequence = 0x30, kDerInteger = 0x02, kDerBitString = 0x03,
                               kDerOctetString = 0x04, kDerOid = 0x06, kDerNull = 0x05;
// 1.2.840.113549.1.1.1
inline constexpr std::string_view kRsaEncryptionOid("\x2A\x86\x48\x86\xF7\x0D\x01\x01\x01", 9);

// The signature's bytes, most significant first; nothing unless the text is base64 (line breaks and blanks
// aside) of 256 to 1024 bytes.
std::optional<std::string> ParseSignatureFile(const std::string& text);

// The bytes of a PEM block's base64 body; nothing when `label` ("PUBLIC KEY") is not found or the body is
// not base64.
std::optional<std::string> PemBody(const std::string& pem, const std::string& label);

struct TRsaPublicKey {
    std::string Modulus;  // big-endian, without leading zero bytes
    std::uint32_t Exponent = 0;
    bool operator==(const TRsaPublicKey&) const = default;
};

// The key of a PEM public key: SubjectPublicKeyInfo ("PUBLIC KEY", rsaEncryption) or PKCS #1 ("RSA PUBLIC
// KEY"); nothing for anything else, for a modulus outside 2048 to 8192 bits or an exponent beyond 32 bits.
std::optional<TRsaPublicKey> ReadRsaPublicKey(const std::string& pem);

// The key as a CryptoAPI PUBLICKEYBLOB (BLOBHEADER, RSAPUBKEY "RSA1", modulus least significant byte first)
// for CryptImportKey.
std::string PublicKeyBlob(const TRsaPublicKey& key);

// CryptVerifySignature takes the signature least significant byte first.
std::string LittleEndianSignature(const std::string& signature);

}  // namespace wmb
