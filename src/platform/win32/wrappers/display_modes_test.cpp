#include "platform/win32/wrappers/display_modes.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace wmb {
namespace {

// The test display is Wine's virtual desktop on a 2048x1536 screen, which offers the usual modes up
// to the screen size.
TEST(DisplayModes, OfferTheFixedSlotsUpToTheScreenSize) {
    const auto modes = EnumerateDisplayModes();
    ASSERT_FALSE(modes.empty());
    auto has = [&](unsigned w, unsigned h) {
        return std::find(modes.begin(), modes.end(), std::make_pair(w, h)) != modes.end();
    };
    EXPECT_TRUE(has(640, 480));
    EXPECT_TRUE(has(1024, 768));
    EXPECT_TRUE(has(2048, 1536));
    EXPECT_FALSE(has(4096, 3072));
    for (const auto& [w, h] : modes) {
        EXPECT_GT(w, 0u);
        EXPECT_GT(h, 0u);
    }
}

}  // namespace
}  // namespace wmb
