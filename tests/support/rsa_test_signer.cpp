#include "support/rsa_test_signer.h"

#include <cstdint>
#include <optional>
#include <vector>

#include "update/sha256.h"
#include "update/update_signature.h"

namespace wmb::test {
namespace {

// Numbers as 32-bit words, least significant first, all of one length.
using Words = std::vector<std::uint32_t>;

Words FromBigEndian(std::string_view bytes, std::size_t words) {
    Words n(words, 0);
    for (std::size_t i = 0; i < bytes.size() && i / 4 < words; ++i)
        n[i / 4] |= std::uint32_t{static_cast<unsigned char>(bytes[bytes.size() - 1 - i])} << (8 * (i % 4));
    return n;
}

bool AtLeast(const Words& a, const Words& n) {
    for (std::size_t i = a.size(); i-- > 0;)
        if (a[i] != n[i]) return a[i] > n[i];
    return true;
}

void SubtractInPlace(Words& a, const Words& n) {
    std::uint64_t borrow = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const std::uint64_t d = std::uint64_t{a[i]} - n[i] - borrow;
        a[i] = static_cast<std::uint32_t>(d);
        borrow = (d >> 32) & 1;
    }
}

// Montgomery multiplication: a * b / 2^(32 s) mod n, for odd n and a, b < n.
class Montgomery {
public:
    explicit Montgomery(Words n) : n_(std::move(n)) {
        std::uint32_t inverse = 1;  // n[0]^-1 mod 2^32 by Newton's steps
        for (int i = 0; i < 5; ++i) inverse *= 2 - n_[0] * inverse;
        n0_ = ~inverse + 1;
        // R^2 mod n: 1 doubled 64 s times, each time reduced.
        Words r(n_.size(), 0);
        r[0] = 1;
        for (std::size_t i = 0; i < 64 * n_.size(); ++i) {
            const bool carry = r.back() >> 31;
            for (std::size_t j = r.size(); j-- > 1;) r[j] = r[j] << 1 | r[j - 1] >> 31;
            r[0] <<= 1;
            if (carry || AtLeast(r, n_)) SubtractInPlace(r, n_);
        }
        r2_ = r;
    }

    Words Multiply(const Words& a, const Words& b) const {
        const std::size_t s = n_.size();
        std::vector<std::uint64_t> t(s + 2, 0);
        for (std::size_t i = 0; i < s; ++i) {
            std::uint64_t carry = 0;
            for (std::size_t j = 0; j < s; ++j) {
                const std::uint64_t v = t[j] + std::uint64_t{a[j]} * b[i] + carry;
                t[j] = v & 0xFFFFFFFF, carry = v >> 32;
            }
            std::uint64_t v = t[s] + carry;
            t[s] = v & 0xFFFFFFFF, t[s + 1] = v >> 32;
            const std::uint64_t m = (t[0] * n0_) & 0xFFFFFFFF;
            carry = (t[0] + m * n_[0]) >> 32;
            for (std::size_t j = 1; j < s; ++j) {
                v = t[j] + m * n_[j] + carry;
                t[j - 1] = v & 0xFFFFFFFF, carry = v >> 32;
            }
            v = t[s] + carry;
            t[s - 1] = v & 0xFFFFFFFF;
            t[s] = t[s + 1] + (v >> 32);
        }
        Words result(s);
        for (std::size_t j = 0; j < s; ++j) result[j] = static_cast<std::uint32_t>(t[j]);
        if (t[s] != 0 || AtLeast(result, n_)) SubtractInPlace(result, n_);
        return result;
    }

    // base^exponent mod n, the exponent most significant byte first.
    Words Power(const Words& base, std::string_view exponent) const {
        Words one(n_.size(), 0);
        one[0] = 1;
        Words result = Multiply(one, r2_);
        const Words b = Multiply(base, r2_);
        for (unsigned char byte : exponent) {
            for (int bit = 7; bit >= 0; --bit) {
                result = Multiply(result, result);
                if (byte >> bit & 1) result = Multiply(result, b);
            }
        }
        return Multiply(result, one);
    }

private:
    Words n_;
    Words r2_;
    std::uint64_t n0_ = 0;
};

std::string_view WithoutLeadingZeros(std::string_view number) {
    while (!number.empty() && number.front() == '\0') number.remove_prefix(1);
    return number;
}

// RSAPrivateKey: SEQUENCE { version, n, e, d, ... }; gives n and d.
bool Pkcs1PrivateKey(std::string_view der, std::string_view& n, std::string_view& d) {
    DerReader outer(der);
    const auto key = outer.Next(kDerSequence);
    if (!key) return false;
    DerReader fields(*key);
    const auto version = fields.Next(kDerInteger);
    const auto modulus = fields.Next(kDerInteger);
    const auto publicExponent = fields.Next(kDerInteger);
    const auto privateExponent = fields.Next(kDerInteger);
    if (!version || !modulus || !publicExponent || !privateExponent) return false;
    n = WithoutLeadingZeros(*modulus), d = WithoutLeadingZeros(*privateExponent);
    return !n.empty() && (static_cast<unsigned char>(n.back()) & 1);
}

// PrivateKeyInfo: SEQUENCE { version, SEQUENCE { rsaEncryption, NULL }, OCTET STRING { RSAPrivateKey } }.
bool Pkcs8PrivateKey(std::string_view der, std::string_view& n, std::string_view& d) {
    DerReader outer(der);
    const auto info = outer.Next(kDerSequence);
    if (!info) return false;
    DerReader fields(*info);
    const auto version = fields.Next(kDerInteger);
    const auto algorithm = fields.Next(kDerSequence);
    const auto key = fields.Next(kDerOctetString);
    if (!version || !algorithm || !key) return false;
    DerReader identifier(*algorithm);
    return identifier.Next(kDerOid) == kRsaEncryptionOid && Pkcs1PrivateKey(*key, n, d);
}

std::string Base64Lines(const std::string& bytes) {
    static const char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string text;
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        std::uint32_t group = std::uint32_t{static_cast<unsigned char>(bytes[i])} << 16;
        if (i + 1 < bytes.size()) group |= std::uint32_t{static_cast<unsigned char>(bytes[i + 1])} << 8;
        if (i + 2 < bytes.size()) group |= static_cast<unsigned char>(bytes[i + 2]);
        text += alphabet[group >> 18 & 63];
        text += alphabet[group >> 12 & 63];
        text += i + 1 < bytes.size() ? alphabet[group >> 6 & 63] : '=';
        text += i + 2 < bytes.size() ? alphabet[group & 63] : '=';
    }
    std::string lines;
    for (std::size_t at = 0; at < text.size(); at += 76) lines += text.substr(at, 76) + "\n";
    return lines;
}

}  // namespace

std::string ModularPower(const std::string& base, const std::string& exponent, const std::string& modulus) {
    const std::string_view n = WithoutLeadingZeros(modulus);
    const std::size_t words = (n.size() + 3) / 4;
    const Words result = Montgomery(FromBigEndian(n, words)).Power(FromBigEndian(base, words), exponent);
    std::string bytes;
    for (std::size_t i = n.size(); i-- > 0;) bytes += static_cast<char>(result[i / 4] >> (8 * (i % 4)));
    return bytes;
}

std::string SignLikeTheSignTool(const std::string& privateKeyPem, const std::string& data) {
    std::optional<std::string> der = PemBody(privateKeyPem, "PRIVATE KEY");
    std::string_view n, d;
    const bool read = der ? Pkcs8PrivateKey(*der, n, d)
                          : (der = PemBody(privateKeyPem, "RSA PRIVATE KEY")) && Pkcs1PrivateKey(*der, n, d);
    if (!read) return "";
    // EMSA-PKCS1-v1_5: 00 01 FF .. FF 00, the DigestInfo of SHA-256, the digest.
    static const char kDigestInfo[] = "\x30\x31\x30\x0d\x06\x09\x60\x86\x48\x01\x65\x03\x04\x02\x01\x05\x00\x04\x20";
    std::string digest;
    const std::string hex = Sha256Hex(data);
    for (std::size_t i = 0; i < hex.size(); i += 2) digest += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    const std::string tail = std::string("\0", 1) + std::string(kDigestInfo, sizeof kDigestInfo - 1) + digest;
    if (n.size() < tail.size() + 11) return "";
    const std::string block = std::string("\x00\x01", 2) + std::string(n.size() - tail.size() - 2, '\xFF') + tail;
    const std::string bytes = ModularPower(block, std::string(d), std::string(n));
    return Base64Lines(bytes);
}

}  // namespace wmb::test
