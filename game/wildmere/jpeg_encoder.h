#pragma once
// A small baseline JPEG encoder: JFIF, YCbCr without subsampling, the standard quantisation and
// Huffman tables of the JPEG standard's examples, quality scaled as usual (1..100).

#include <array>
#include <cstdint>
#include <vector>

namespace wmb::game {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
};

// Pixels row by row from the top, three bytes per pixel.
class RgbImage {
public:
    RgbImage(int width, int height, Rgb fill = {});
    int Width() const { return width_; }
    int Height() const { return height_; }
    Rgb At(int x, int y) const;
    // Points outside the picture are ignored.
    void Set(int x, int y, Rgb colour);
    void FillRect(int x, int y, int w, int h, Rgb colour);

private:
    int width_;
    int height_;
    std::vector<Rgb> pixels_;
};

// Natural (row by row) position of the k-th coefficient in zig-zag order.
extern const std::array<std::uint8_t, 64> kZigzag;

// Quantisation table in natural order for luminance (chroma = false) or chrominance at a quality.
std::array<std::uint16_t, 64> QuantTable(bool chroma, int quality);

// The complete file. Width and height must be 1..65535.
std::vector<std::uint8_t> EncodeJpeg(const RgbImage& image, int quality);

}  // namespace wmb::game
