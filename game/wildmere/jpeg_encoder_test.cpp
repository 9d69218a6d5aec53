#include "jpeg_encoder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <stdexcept>

namespace wmb::game {
namespace {

constexpr double kPi = 3.14159265358979323846;

// A baseline decoder just large enough to read back what the encoder writes (one scan, three
// components, no subsampling), so that the tests check the file by decoding it.
class TestDecoder {
public:
    explicit TestDecoder(const std::vector<std::uint8_t>& file) : f_(file) {
        if (Word(0) != 0xFFD8) throw std::runtime_error("no SOI");
        size_t pos = 2;
        for (;;) {
            if (f_.at(pos) != 0xFF) throw std::runtime_error("marker expected");
            const int marker = f_.at(pos + 1);
            const size_t length = Word(pos + 2);
            const size_t body = pos + 4;
            if (marker == 0xDB) {
                for (size_t p = body; p < pos + 2 + length; p += 65) {
                    for (int k = 0; k < 64; ++k) quant_[f_[p] & 3][kZigzag[k]] = f_[p + 1 + k];
                }
            } else if (marker == 0xC0) {
                height_ = static_cast<int>(Word(body + 1));
                width_ = static_cast<int>(Word(body + 3));
                for (int c = 0; c < f_[body + 5]; ++c) quantOf_[c] = f_[body + 6 + 3 * c + 2];
            } else if (marker == 0xC4) {
                size_t p = body;
                while (p < pos + 2 + length) {
                    auto& table = huff_[f_[p]];
                    int code = 0, count = 0;
                    for (int len = 1; len <= 16; ++len) count += f_[p + len];
                    size_t symbol = p + 17;
                    for (int len = 1; len <= 16; ++len, code <<= 1) {
                        for (int i = 0; i < f_[p + len]; ++i) table[{len, code++}] = f_[symbol++];
                    }
                    p += 17 + count;
                }
            } else if (marker == 0xDA) {
                for (int c = 0; c < 3; ++c) tables_[c] = f_[body + 2 + 2 * c];
                bitPos_ = (pos + 2 + length) * 8;
                return;
            }
            pos += 2 + length;
        }
    }

    int Width() const { return width_; }
    int Height() const { return height_; }

    // Decodes the scan and checks that it ends with EOI right after the last block.
    std::vector<Rgb> Decode() {
        std::vector<Rgb> pixels(static_cast<size_t>(width_) * height_);
        int previous[3] = {0, 0, 0};
        for (int by = 0; by < height_; by += 8) {
            for (int bx = 0; bx < width_; bx += 8) {
                double planes[3][64];
                for (int c = 0; c < 3; ++c) DecodeBlock(c, previous[c], planes[c]);
                for (int y = 0; y < 8 && by + y < height_; ++y) {
                    for (int x = 0; x < 8 && bx + x < width_; ++x) {
                        const double Y = planes[0][y * 8 + x] + 128, cb = planes[1][y * 8 + x], cr = planes[2][y * 8 + x];
                        const auto clamp = [](double v) { return static_cast<std::uint8_t>(std::lround(std::fmin(255, std::fmax(0, v)))); };
                        pixels[static_cast<size_t>(by + y) * width_ + bx + x] =
                            Rgb{clamp(Y + 1.402 * cr), clamp(Y - 0.344136 * cb - 0.714136 * cr), clamp(Y + 1.772 * cb)};
                    }
                }
            }
        }
        size_t end = (bitPos_ + 7) / 8;
        if (Word(end) != 0xFFD9 || end + 2 != f_.size()) throw std::runtime_error("scan does not end with EOI");
        return pixels;
    }

private:
    size_t Word(size_t pos) const { return static_cast<size_t>(f_.at(pos)) << 8 | f_.at(pos + 1); }

    int Bit() {
        size_t byte = bitPos_ / 8;
        const int bit = (f_.at(byte) >> (7 - bitPos_ % 8)) & 1;
        ++bitPos_;
        if (bitPos_ % 8 == 0 && f_.at(byte) == 0xFF) {
            if (f_.at(byte + 1) != 0x00) throw std::runtime_error("unstuffed 0xFF in scan");
            bitPos_ += 8;
        }
        return bit;
    }

    int Symbol(int tableClass, int id) {
        const auto& table = huff_.at(tableClass << 4 | id);
        int code = 0;
        for (int len = 1; len <= 16; ++len) {
            code = code << 1 | Bit();
            if (auto it = table.find({len, code}); it != table.end()) return it->second;
        }
        throw std::runtime_error("bad Huffman code");
    }

    int Value(int category) {
        int v = 0;
        for (int i = 0; i < category; ++i) v = v << 1 | Bit();
        return category > 0 && v < (1 << (category - 1)) ? v - (1 << category) + 1 : v;
    }

    void DecodeBlock(int c, int& previous, double* out) {
        int coefficients[64] = {};
        const int id = tables_[c];
        previous += Value(Symbol(0, id >> 4));
        coefficients[0] = previous;
        for (int k = 1; k < 64;) {
            const int rs = Symbol(1, id & 15);
            if (rs == 0) break;
            k += rs >> 4;
            if (k > 63) throw std::runtime_error("run past the block");
            coefficients[kZigzag[k++]] = Value(rs & 15);
        }
        const auto& q = quant_[quantOf_[c]];
        for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < 8; ++x) {
                double sum = 0;
                for (int v = 0; v < 8; ++v) {
                    for (int u = 0; u < 8; ++u) {
                        const double cu = u == 0 ? std::sqrt(0.5) : 1, cv = v == 0 ? std::sqrt(0.5) : 1;
                        sum += cu * cv * coefficients[v * 8 + u] * q[v * 8 + u] *
                               std::cos((2 * x + 1) * u * kPi / 16) * std::cos((2 * y + 1) * v * kPi / 16);
                    }
                }
                out[y * 8 + x] = sum / 4;
            }
        }
    }

    const std::vector<std::uint8_t>& f_;
    int width_ = 0, height_ = 0;
    int quant_[4][64] = {};
    int quantOf_[3] = {};
    int tables_[3] = {};
    std::map<int, std::map<std::pair<int, int>, int>> huff_;
    size_t bitPos_ = 0;
};

double MeanError(const RgbImage& image, const std::vector<Rgb>& decoded) {
    double sum = 0;
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x) {
            const Rgb a = image.At(x, y), b = decoded[static_cast<size_t>(y) * image.Width() + x];
            sum += std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b);
        }
    }
    return sum / (3.0 * image.Width() * image.Height());
}

RgbImage Pattern(int w, int h) {
    RgbImage image(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            image.Set(x, y, {static_cast<std::uint8_t>(x * 255 / w), static_cast<std::uint8_t>(y * 255 / h),
                             static_cast<std::uint8_t>((x + y) % 2 ? 40 : 200)});
        }
    }
    image.FillRect(w / 4, h / 4, w / 2, h / 2, {255, 255, 255});
    return image;
}

TEST(JpegEncoder, FileStartsWithJfifAndDeclaresTheSize) {
    const auto file = EncodeJpeg(RgbImage(321, 17, {10, 20, 30}), 75);
    ASSERT_GT(file.size(), 20u);
    EXPECT_EQ(file[0], 0xFF);
    EXPECT_EQ(file[1], 0xD8);
    EXPECT_EQ(std::string(file.begin() + 6, file.begin() + 11), std::string("JFIF\0", 5));
    TestDecoder decoder(file);
    EXPECT_EQ(decoder.Width(), 321);
    EXPECT_EQ(decoder.Height(), 17);
}

TEST(JpegEncoder, DecodesBackCloseToTheSource) {
    for (const auto& [w, h] : {std::pair{64, 48}, std::pair{13, 7}, std::pair{1, 1}}) {
        const RgbImage image = Pattern(w, h);
        const auto file = EncodeJpeg(image, 90);
        TestDecoder decoder(file);
        const auto decoded = decoder.Decode();
        EXPECT_LT(MeanError(image, decoded), 12.0) << w << "x" << h;
    }
}

TEST(JpegEncoder, ExtremeColoursAndQualitiesStayDecodable) {
    for (int quality : {1, 50, 100}) {
        RgbImage image(40, 24, {0, 0, 0});
        image.FillRect(0, 0, 20, 24, {255, 255, 255});
        image.FillRect(8, 4, 3, 3, {255, 0, 0});
        const auto file = EncodeJpeg(image, quality);
        TestDecoder decoder(file);
        const auto decoded = decoder.Decode();
        if (quality == 100) {
            EXPECT_LT(MeanError(image, decoded), 3.0);
        }
    }
}

TEST(JpegEncoder, HigherQualityMeansLargerFile) {
    const RgbImage image = Pattern(96, 64);
    EXPECT_LT(EncodeJpeg(image, 20).size(), EncodeJpeg(image, 95).size());
}

TEST(JpegEncoder, QuantTablesFollowTheQualityScale) {
    EXPECT_EQ(QuantTable(false, 50)[0], 16);
    EXPECT_EQ(QuantTable(true, 50)[63], 99);
    EXPECT_EQ(QuantTable(false, 100)[63], 1);
    EXPECT_EQ(QuantTable(false, 1)[0], 255);
}

TEST(RgbImage, RejectsBadSizesAndIgnoresOutsidePoints) {
    EXPECT_THROW(RgbImage(0, 5), std::invalid_argument);
    EXPECT_THROW(RgbImage(70000, 5), std::invalid_argument);
    RgbImage image(2, 2, {1, 2, 3});
    image.Set(-1, 0, {9, 9, 9});
    image.FillRect(1, 1, 10, 10, {7, 7, 7});
    EXPECT_EQ(image.At(0, 0).r, 1);
    EXPECT_EQ(image.At(1, 1).r, 7);
    EXPECT_EQ(image.At(5, 5).r, 7);  // reads clamp to the border
}

}  // namespace
}  // namespace wmb::game
