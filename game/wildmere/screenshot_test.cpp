#include "screenshot.h"

#include <gtest/gtest.h>

namespace wmb::game {
namespace {

int CountColour(const RgbImage& image, Rgb colour) {
    int count = 0;
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x) {
            const Rgb p = image.At(x, y);
            count += p.r == colour.r && p.g == colour.g && p.b == colour.b;
        }
    }
    return count;
}

TEST(BitmapFont, DigitsLettersAndSignsHaveGlyphs) {
    for (char c : std::string("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ.:-x=#/(),_")) {
        EXPECT_NE(FindGlyph(c), nullptr) << c;
    }
    EXPECT_EQ(FindGlyph('m'), FindGlyph('M'));
    EXPECT_NE(FindGlyph('x'), FindGlyph('X'));
    EXPECT_EQ(FindGlyph('~'), nullptr);
    EXPECT_EQ(FindGlyph(' '), nullptr);  // blanks are drawn as nothing
}

TEST(BitmapFont, DrawsScaledPixelsOnlyWhereTheGlyphIsSet) {
    RgbImage image(40, 20);
    PaintText(image, 1, 1, "1", 2, {255, 0, 0});
    // "1" has 10 pixels set in the 5x7 grid; at scale 2 each becomes 4 pixels.
    EXPECT_EQ(CountColour(image, {255, 0, 0}), 10 * 4);
    EXPECT_EQ(TextWidth("12", 2), 22);
    EXPECT_EQ(TextWidth("", 3), 0);
}

TEST(BitmapFont, UnknownCharactersAndClippedTextAreSafe) {
    RgbImage image(10, 10);
    PaintText(image, -15, 2, "~8", 3, {0, 255, 0});
    PaintText(image, -50, -50, "WILDMERE", 4, {0, 255, 0});
    EXPECT_GT(CountColour(image, {0, 255, 0}), 0);
}

TEST(Screenshot, ShowsTheTextsAndDiffersPerFrame) {
    const RgbImage a = RenderScreenshot({1201, 1024, 768, "pier", "1"});
    EXPECT_EQ(a.Width(), kScreenshotWidth);
    EXPECT_EQ(a.Height(), kScreenshotHeight);
    EXPECT_GT(CountColour(a, {255, 255, 255}), 500);
    const RgbImage b = RenderScreenshot({1202, 1024, 768, "pier", "1"});
    bool differ = false;
    for (int y = 0; y < a.Height() && !differ; ++y) {
        for (int x = 0; x < a.Width() && !differ; ++x) differ = a.At(x, y).g != b.At(x, y).g;
    }
    EXPECT_TRUE(differ);
}

}  // namespace
}  // namespace wmb::game
