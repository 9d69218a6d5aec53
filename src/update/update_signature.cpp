#include "update/update_signature.h"

#include <algorithm>

namespace wmb {
namespace {

int Base64Value(char c) {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '+') return 62;
    if (c == '/') return 63;
    return -1;
}

}  // namespace

std::optional<std::string> DecodeBase64(const std::string& text) {
    std::string symbols;
    for (char c : text)
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n') symbols += c;
    if (symbols.empty() || symbols.size() % 4 != 0) return std::nullopt;
    const std::size_t padding = symbols.ends_with("==") ? 2 : symbols.ends_with("=") ? 1 : 0;
    std::string bytes;
    std::uint32_t bits = 0;
    int count = 0;
    for (std::size_t i = 0; i < symbols.size() - padding; ++i) {
        const int value = Base64Value(symbols[i]);
        if (value < 0) return std::nullopt;
        bits = (bits << 6) | static_cast<std::uint32_t>(value);
        if (++count == 4) {
            bytes += static_cast<char>(bits >> 16), bytes += static_cast<char>(bits >> 8), bytes += static_cast<char>(bits);
            bits = 0, count = 0;
        }
    }
    // The padded group: 2 symbols give 1 byte, 3 give 2; the bits past them must be zero.
    if (count == 2 && (bits & 0xF) == 0) return bytes += static_cast<char>(bits >> 4), bytes;
    if (count == 3 && (bits & 0x3) == 0) {
        bytes += static_cast<char>(bits >> 10), bytes += static_cast<char>(bits >> 2);
        return bytes;
    }
    if (count != 0) return std::nullopt;
    return bytes;
}

std::optional<std::string_view> DerReader::Next(unsigned char tag) {
    if (rest_.size() < 2 || static_cast<unsigned char>(rest_[0]) != tag) return std::nullopt;
    std::size_t length = static_cast<unsigned char>(rest_[1]);
    std::size_t header = 2;
    if (length & 0x80) {
        const std::size_t octets = length & 0x7F;
        if (octets == 0 || octets > 3 || rest_.size() < 2 + octets) return std::nullopt;
        length = 0;
        for (std::size_t i = 0; i < octets; ++i) length = length << 8 | static_cast<unsigned char>(rest_[2 + i]);
        header += octets;
    }
    if (rest_.size() - header < length) return std::nullopt;
    const std::string_view content = rest_.substr(header, length);
    rest_.remove_prefix(header + length);
    return content;
}

namespace {

// SEQUENCE { INTEGER modulus, INTEGER exponent }, both positive.
std::optional<TRsaPublicKey> Pkcs1Key(std::string_view der) {
    DerReader outer(der);
    const auto sequence = outer.Next(kDerSequence);
    if (!sequence || !outer.Empty()) return std::nullopt;
    DerReader fields(*sequence);
    auto modulus = fields.Next(kDerInteger);
    auto exponent = fields.Next(kDerInteger);
    if (!modulus || !exponent || !fields.Empty() || modulus->empty() || exponent->empty()) return std::nullopt;
    if ((static_cast<unsigned char>(modulus->front()) & 0x80) || (static_cast<unsigned char>(exponent->front()) & 0x80))
        return std::nullopt;
    while (!modulus->empty() && modulus->front() == '\0') modulus->remove_prefix(1);
    while (!exponent->empty() && exponent->front() == '\0') exponent->remove_prefix(1);
    const std::size_t bits = modulus->size() * 8;
    if (bits < kMinRsaKeyBits || bits > kMaxRsaKeyBits || exponent->empty() || exponent->size() > 4) return std::nullopt;
    TRsaPublicKey key{std::string(*modulus), 0};
    for (char c : *exponent) key.Exponent = key.Exponent << 8 | static_cast<unsigned char>(c);
    return key;
}

// SEQUENCE { SEQUENCE { OID rsaEncryption, NULL }, BIT STRING { 0, PKCS #1 key } }.
std::optional<TRsaPublicKey> SubjectPublicKeyInfo(std::string_view der) {
    DerReader outer(der);
    const auto info = outer.Next(kDerSequence);
    if (!info || !outer.Empty()) return std::nullopt;
    DerReader fields(*info);
    const auto algorithm = fields.Next(kDerSequence);
    const auto bits = fields.Next(kDerBitString);
    if (!algorithm || !bits || !fields.Empty() || bits->empty() || bits->front() != '\0') return std::nullopt;
    DerReader identifier(*algorithm);
    const auto oid = identifier.Next(kDerOid);
    if (!oid || *oid != kRsaEncryptionOid) return std::nullopt;
    if (!identifier.Empty() && (!identifier.Next(kDerNull) || !identifier.Empty())) return std::nullopt;
    return Pkcs1Key(bits->substr(1));
}

void AppendLittleEndian(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>(value >> (8 * i));
}

}  // namespace

std::optional<std::string> ParseSignatureFile(const std::string& text) {
    auto bytes = DecodeBase64(text);
    if (!bytes || bytes->size() < kMinRsaKeyBits / 8 || bytes->size() > kMaxRsaKeyBits / 8) return std::nullopt;
    return bytes;
}

std::optional<std::string> PemBody(const std::string& pem, const std::string& label) {
    const std::string begin = "-----BEGIN " + label + "-----";
    const std::string end = "-----END " + label + "-----";
    const auto start = pem.find(begin);
    if (start == std::string::npos) return std::nullopt;
    const auto stop = pem.find(end, start + begin.size());
    if (stop == std::string::npos) return std::nullopt;
    return DecodeBase64(pem.substr(start + begin.size(), stop - start - begin.size()));
}

std::optional<TRsaPublicKey> ReadRsaPublicKey(const std::string& pem) {
    if (const auto der = PemBody(pem, "PUBLIC KEY")) return SubjectPublicKeyInfo(*der);
    if (const auto der = PemBody(pem, "RSA PUBLIC KEY")) return Pkcs1Key(*der);
    return std::nullopt;
}

std::string PublicKeyBlob(const TRsaPublicKey& key) {
    constexpr std::uint32_t kPublicKeyBlob = 0x6, kCurrentBlobVersion = 0x2, kCalgRsaSign = 0x2400;
    constexpr std::uint32_t kRsa1 = 0x31415352;  // "RSA1"
    std::string blob;
    AppendLittleEndian(blob, kPublicKeyBlob, 1);
    AppendLittleEndian(blob, kCurrentBlobVersion, 1);
    AppendLittleEndian(blob, 0, 2);
    AppendLittleEndian(blob, kCalgRsaSign, 4);
    AppendLittleEndian(blob, kRsa1, 4);
    AppendLittleEndian(blob, static_cast<std::uint32_t>(key.Modulus.size() * 8), 4);
    AppendLittleEndian(blob, key.Exponent, 4);
    blob.append(key.Modulus.rbegin(), key.Modulus.rend());
    return blob;
}

std::string LittleEndianSignature(const std::string& signature) { return std::string(signature.rbegin(), signature.rend()); }

}  // namespace wmb
