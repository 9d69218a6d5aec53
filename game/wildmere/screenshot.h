#pragma once
// The picture the game saves in screenshot mode: a small stand-in scene (sky, hills, water) with
// the captured frame, the resolution and the level written on it in a built-in 5x7 pixel font.

#include <string>
#include <string_view>

#include "jpeg_encoder.h"

namespace wmb::game {

constexpr int kGlyphWidth = 5;
constexpr int kGlyphHeight = 7;

// Rows of the glyph of a character, top first, bit 4 the leftmost pixel; nullptr when the font has
// no such character. Lower-case letters other than "x" use the capitals.
const std::uint8_t* FindGlyph(char c);

// Width in pixels of a text drawn at a scale (one blank pixel column between characters).
int TextWidth(std::string_view text, int scale);

// Draws a text with its top left corner at (x, y); characters without a glyph stay blank.
void PaintText(RgbImage& image, int x, int y, std::string_view text, int scale, Rgb colour);

struct ScreenshotInfo {
    int frame = 0;
    int width = 0;   // the resolution the game ran at
    int height = 0;
    std::string map;
    std::string demo;
};

constexpr int kScreenshotWidth = 320;
constexpr int kScreenshotHeight = 240;

RgbImage RenderScreenshot(const ScreenshotInfo& info);

}  // namespace wmb::game
