#include "jpeg_encoder.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace wmb::game {

RgbImage::RgbImage(int width, int height, Rgb fill)
    : width_(width), height_(height), pixels_(static_cast<size_t>(std::max(0, width) * std::max(0, height)), fill) {
    if (width <= 0 || height <= 0 || width > 65535 || height > 65535) throw std::invalid_argument("picture size");
}

Rgb RgbImage::At(int x, int y) const {
    x = std::clamp(x, 0, width_ - 1);
    y = std::clamp(y, 0, height_ - 1);
    return pixels_[static_cast<size_t>(y) * width_ + x];
}

void RgbImage::Set(int x, int y, Rgb colour) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    pixels_[static_cast<size_t>(y) * width_ + x] = colour;
}

void RgbImage::FillRect(int x, int y, int w, int h, Rgb colour) {
    for (int yy = std::max(0, y); yy < std::min(height_, y + h); ++yy) {
        for (int xx = std::max(0, x); xx < std::min(width_, x + w); ++xx) Set(xx, yy, colour);
    }
}

const std::array<std::uint8_t, 64> kZigzag = {
    0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,  12, 19, 26, 33, 40, 48,
    41, 34, 27, 20, 13, 6,  7,  14, 21, 28, 35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23,
    30, 37, 44, 51, 58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};

namespace {

constexpr std::array<std::uint8_t, 64> kLumaBase = {
    16, 11, 10, 16, 24,  40,  51,  61,  12, 12, 14, 19, 26,  58,  60,  55,  14, 13, 16, 24,  40,  57,
    69, 56, 14, 17, 22,  29,  51,  87,  80, 62, 18, 22, 37,  56,  68,  109, 103, 77, 24, 35, 55, 64,
    81, 104, 113, 92, 49, 64, 78, 87, 103, 121, 120, 101, 72, 92, 95, 98, 112, 100, 103, 99};

constexpr std::array<std::uint8_t, 64> kChromaBase = {
    17, 18, 24, 47, 99, 99, 99, 99, 18, 21, 26, 66, 99, 99, 99, 99, 24, 26, 56, 99, 99, 99,
    99, 99, 47, 66, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99,
    99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99};

struct HuffSpec {
    std::array<std::uint8_t, 16> counts;  // number of codes of each length 1..16
    std::vector<std::uint8_t> symbols;
};

const HuffSpec kDcLuma = {{0, 1, 5, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0}, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}};
const HuffSpec kDcChroma = {{0, 3, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0}, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}};
const HuffSpec kAcLuma = {
    {0, 2, 1, 3, 3, 2, 4, 3, 5, 5, 4, 4, 0, 0, 1, 0x7d},
    {0x01, 0x02, 0x03, 0x00, 0x04, 0x11, 0x05, 0x12, 0x21, 0x31, 0x41, 0x06, 0x13, 0x51, 0x61, 0x07, 0x22, 0x71,
     0x14, 0x32, 0x81, 0x91, 0xa1, 0x08, 0x23, 0x42, 0xb1, 0xc1, 0x15, 0x52, 0xd1, 0xf0, 0x24, 0x33, 0x62, 0x72,
     0x82, 0x09, 0x0a, 0x16, 0x17, 0x18, 0x19, 0x1a, 0x25, 0x26, 0x27, 0x28, 0x29, 0x2a, 0x34, 0x35, 0x36, 0x37,
     0x38, 0x39, 0x3a, 0x43, 0x44, 0x45, 0x46, 0x47, 0x48, 0x49, 0x4a, 0x53, 0x54, 0x55, 0x56, 0x57, 0x58, 0x59,
     0x5a, 0x63, 0x64, 0x65, 0x66, 0x67, 0x68, 0x69, 0x6a, 0x73, 0x74, 0x75, 0x76, 0x77, 0x78, 0x79, 0x7a, 0x83,
     0x84, 0x85, 0x86, 0x87, 0x88, 0x89, 0x8a, 0x92, 0x93, 0x94, 0x95, 0x96, 0x97, 0x98, 0x99, 0x9a, 0xa2, 0xa3,
     0xa4, 0xa5, 0xa6, 0xa7, 0xa8, 0xa9, 0xaa, 0xb2, 0xb3, 0xb4, 0xb5, 0xb6, 0xb7, 0xb8, 0xb9, 0xba, 0xc2, 0xc3,
     0xc4, 0xc5, 0xc6, 0xc7, 0xc8, 0xc9, 0xca, 0xd2, 0xd3, 0xd4, 0xd5, 0xd6, 0xd7, 0xd8, 0xd9, 0xda, 0xe1, 0xe2,
     0xe3, 0xe4, 0xe5, 0xe6, 0xe7, 0xe8, 0xe9, 0xea, 0xf1, 0xf2, 0xf3, 0xf4, 0xf5, 0xf6, 0xf7, 0xf8, 0xf9, 0xfa}};
const HuffSpec kAcChroma = {
    {0, 2, 1, 2, 4, 4, 3, 4, 7, 5, 4, 4, 0, 1, 2, 0x77},
    {0x00, 0x01, 0x02, 0x03, 0x11, 0x04, 0x05, 0x21, 0x31, 0x06, 0x12, 0x41, 0x51, 0x07, 0x61, 0x71, 0x13, 0x22,
     0x32, 0x81, 0x08, 0x14, 0x42, 0x91, 0xa1, 0xb1, 0xc1, 0x09, 0x23, 0x33, 0x52, 0xf0, 0x15, 0x62, 0x72, 0xd1,
     0x0a, 0x16, 0x24, 0x34, 0xe1, 0x25, 0xf1, 0x17, 0x18, 0x19, 0x1a, 0x26, 0x27, 0x28, 0x29, 0x2a, 0x35, 0x36,
     0x37, 0x38, 0x39, 0x3a, 0x43, 0x44, 0x45, 0x46, 0x47, 0x48, 0x49, 0x4a, 0x53, 0x54, 0x55, 0x56, 0x57, 0x58,
     0x59, 0x5a, 0x63, 0x64, 0x65, 0x66, 0x67, 0x68, 0x69, 0x6a, 0x73, 0x74, 0x75, 0x76, 0x77, 0x78, 0x79, 0x7a,
     0x82, 0x83, 0x84, 0x85, 0x86, 0x87, 0x88, 0x89, 0x8a, 0x92, 0x93, 0x94, 0x95, 0x96, 0x97, 0x98, 0x99, 0x9a,
     0xa2, 0xa3, 0xa4, 0xa5, 0xa6, 0xa7, 0xa8, 0xa9, 0xaa, 0xb2, 0xb3, 0xb4, 0xb5, 0xb6, 0xb7, 0xb8, 0xb9, 0xba,
     0xc2, 0xc3, 0xc4, 0xc5, 0xc6, 0xc7, 0xc8, 0xc9, 0xca, 0xd2, 0xd3, 0xd4, 0xd5, 0xd6, 0xd7, 0xd8, 0xd9, 0xda,
     0xe2, 0xe3, 0xe4, 0xe5, 0xe6, 0xe7, 0xe8, 0xe9, 0xea, 0xf2, 0xf3, 0xf4, 0xf5, 0xf6, 0xf7, 0xf8, 0xf9, 0xfa}};

// Code and length of every symbol, built from a table definition the canonical way.
struct HuffCodes {
    std::array<std::uint16_t, 256> code{};
    std::array<std::uint8_t, 256> length{};
};

HuffCodes BuildCodes(const HuffSpec& table) {
    HuffCodes codes;
    std::uint16_t code = 0;
    size_t k = 0;
    for (int len = 1; len <= 16; ++len) {
        for (int i = 0; i < table.counts[len - 1]; ++i, ++k) {
            codes.code[table.symbols[k]] = code++;
            codes.length[table.symbols[k]] = static_cast<std::uint8_t>(len);
        }
        code = static_cast<std::uint16_t>(code << 1);
    }
    return codes;
}

class BitWriter {
public:
    explicit BitWriter(std::vector<std::uint8_t>& out) : out_(out) {}
    void Put(std::uint32_t bits, int count) {
        for (int i = count - 1; i >= 0; --i) {
            byte_ = static_cast<std::uint8_t>((byte_ << 1) | ((bits >> i) & 1u));
            if (++filled_ == 8) Flush();
        }
    }
    // Pads the last byte with one-bits.
    void Finish() {
        while (filled_ != 0) Put(1, 1);
    }

private:
    void Flush() {
        out_.push_back(byte_);
        if (byte_ == 0xFF) out_.push_back(0x00);  // a data byte 0xFF is followed by a stuffed zero
        byte_ = 0;
        filled_ = 0;
    }
    std::vector<std::uint8_t>& out_;
    std::uint8_t byte_ = 0;
    int filled_ = 0;
};

void PutBytes(std::vector<std::uint8_t>& out, std::initializer_list<std::uint8_t> bytes) {
    for (std::uint8_t b : bytes) out.push_back(b);
}

void PutWord(std::vector<std::uint8_t>& out, int value) {
    out.push_back(static_cast<std::uint8_t>(value >> 8));
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
}

void PutHuffTable(std::vector<std::uint8_t>& out, int classAndId, const HuffSpec& table) {
    out.push_back(0xFF);
    out.push_back(0xC4);
    PutWord(out, static_cast<int>(2 + 1 + 16 + table.symbols.size()));
    out.push_back(static_cast<std::uint8_t>(classAndId));
    out.insert(out.end(), table.counts.begin(), table.counts.end());
    out.insert(out.end(), table.symbols.begin(), table.symbols.end());
}

// Number of bits of the magnitude of v (the JPEG "category").
int Category(int v) {
    int magnitude = v < 0 ? -v : v;
    int bits = 0;
    while (magnitude != 0) {
        ++bits;
        magnitude >>= 1;
    }
    return bits;
}

void PutValue(BitWriter& bits, int v, int category) {
    if (category == 0) return;
    const int raw = v < 0 ? v + (1 << category) - 1 : v;
    bits.Put(static_cast<std::uint32_t>(raw), category);
}

void PutSymbol(BitWriter& bits, const HuffCodes& codes, int symbol) { bits.Put(codes.code[symbol], codes.length[symbol]); }

// Forward DCT of an 8x8 block (values already shifted around zero), quantised, in natural order.
std::array<int, 64> TransformBlock(const std::array<double, 64>& block, const std::array<std::uint16_t, 64>& quant) {
    static const auto cosines = [] {
        std::array<double, 64> c{};
        for (int x = 0; x < 8; ++x) {
            for (int u = 0; u < 8; ++u) c[x * 8 + u] = std::cos((2 * x + 1) * u * 3.14159265358979323846 / 16.0);
        }
        return c;
    }();
    std::array<double, 64> rows{};
    for (int y = 0; y < 8; ++y) {
        for (int u = 0; u < 8; ++u) {
            double sum = 0;
            for (int x = 0; x < 8; ++x) sum += block[y * 8 + x] * cosines[x * 8 + u];
            rows[y * 8 + u] = sum;
        }
    }
    std::array<int, 64> out{};
    for (int v = 0; v < 8; ++v) {
        for (int u = 0; u < 8; ++u) {
            double sum = 0;
            for (int y = 0; y < 8; ++y) sum += rows[y * 8 + u] * cosines[y * 8 + v];
            const double cu = u == 0 ? 1.0 / std::sqrt(2.0) : 1.0;
            const double cv = v == 0 ? 1.0 / std::sqrt(2.0) : 1.0;
            const double coefficient = 0.25 * cu * cv * sum;
            // Baseline limits: AC values need at most 10 bits, DC differences at most 11.
            out[v * 8 + u] = static_cast<int>(std::clamp(std::lround(coefficient / quant[v * 8 + u]), -1023L, 1023L));
        }
    }
    return out;
}

void EncodeBlock(BitWriter& bits, const std::array<int, 64>& coefficients, int& previousDc, const HuffCodes& dc,
                 const HuffCodes& ac) {
    const int diff = coefficients[0] - previousDc;
    previousDc = coefficients[0];
    const int dcCategory = Category(diff);
    PutSymbol(bits, dc, dcCategory);
    PutValue(bits, diff, dcCategory);
    int zeros = 0;
    for (int k = 1; k < 64; ++k) {
        const int v = coefficients[kZigzag[k]];
        if (v == 0) {
            ++zeros;
            continue;
        }
        while (zeros > 15) {
            PutSymbol(bits, ac, 0xF0);
            zeros -= 16;
        }
        const int category = Category(v);
        PutSymbol(bits, ac, (zeros << 4) | category);
        PutValue(bits, v, category);
        zeros = 0;
    }
    if (zeros > 0) PutSymbol(bits, ac, 0x00);
}

}  // namespace

std::array<std::uint16_t, 64> QuantTable(bool chroma, int quality) {
    quality = std::clamp(quality, 1, 100);
    const int scale = quality < 50 ? 5000 / quality : 200 - 2 * quality;
    const auto& base = chroma ? kChromaBase : kLumaBase;
    std::array<std::uint16_t, 64> table{};
    for (int i = 0; i < 64; ++i) table[i] = static_cast<std::uint16_t>(std::clamp((base[i] * scale + 50) / 100, 1, 255));
    return table;
}

std::vector<std::uint8_t> EncodeJpeg(const RgbImage& image, int quality) {
    const auto lumaQuant = QuantTable(false, quality);
    const auto chromaQuant = QuantTable(true, quality);
    std::vector<std::uint8_t> out;
    out.reserve(1024 + static_cast<size_t>(image.Width()) * image.Height());
    PutBytes(out, {0xFF, 0xD8});
    // JFIF header: version 1.1, no units, aspect ratio 1:1, no thumbnail.
    PutBytes(out, {0xFF, 0xE0, 0, 16, 'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 1, 0, 1, 0, 0});
    PutBytes(out, {0xFF, 0xDB});
    PutWord(out, 2 + 2 * 65);
    for (int table = 0; table < 2; ++table) {
        out.push_back(static_cast<std::uint8_t>(table));
        const auto& quant = table == 0 ? lumaQuant : chromaQuant;
        for (int k = 0; k < 64; ++k) out.push_back(static_cast<std::uint8_t>(quant[kZigzag[k]]));
    }
    PutBytes(out, {0xFF, 0xC0});
    PutWord(out, 8 + 3 * 3);
    out.push_back(8);
    PutWord(out, image.Height());
    PutWord(out, image.Width());
    out.push_back(3);
    PutBytes(out, {1, 0x11, 0, 2, 0x11, 1, 3, 0x11, 1});
    PutHuffTable(out, 0x00, kDcLuma);
    PutHuffTable(out, 0x10, kAcLuma);
    PutHuffTable(out, 0x01, kDcChroma);
    PutHuffTable(out, 0x11, kAcChroma);
    PutBytes(out, {0xFF, 0xDA});
    PutWord(out, 6 + 2 * 3);
    PutBytes(out, {3, 1, 0x00, 2, 0x11, 3, 0x11, 0, 63, 0});

    const HuffCodes dcLuma = BuildCodes(kDcLuma), acLuma = BuildCodes(kAcLuma);
    const HuffCodes dcChroma = BuildCodes(kDcChroma), acChroma = BuildCodes(kAcChroma);
    BitWriter bits(out);
    int previousDc[3] = {0, 0, 0};
    for (int by = 0; by < image.Height(); by += 8) {
        for (int bx = 0; bx < image.Width(); bx += 8) {
            std::array<std::array<double, 64>, 3> planes{};
            for (int y = 0; y < 8; ++y) {
                for (int x = 0; x < 8; ++x) {
                    const Rgb p = image.At(bx + x, by + y);  // edge pixels repeat past the border
                    const double r = p.r, g = p.g, b = p.b;
                    planes[0][y * 8 + x] = 0.299 * r + 0.587 * g + 0.114 * b - 128.0;
                    planes[1][y * 8 + x] = -0.168736 * r - 0.331264 * g + 0.5 * b;
                    planes[2][y * 8 + x] = 0.5 * r - 0.418688 * g - 0.081312 * b;
                }
            }
            for (int c = 0; c < 3; ++c) {
                const auto coefficients = TransformBlock(planes[c], c == 0 ? lumaQuant : chromaQuant);
                EncodeBlock(bits, coefficients, previousDc[c], c == 0 ? dcLuma : dcChroma, c == 0 ? acLuma : acChroma);
            }
        }
    }
    bits.Finish();
    PutBytes(out, {0xFF, 0xD9});
    return out;
}

}  // namespace wmb::game
