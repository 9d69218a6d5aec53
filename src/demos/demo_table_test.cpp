#include "demos/demo_table.h"

#include <gtest/gtest.h>

#include <set>

namespace wmb {

TEST(DemoTable, ElevenRowsAndTheirFrameRanges) {
    ASSERT_EQ(kBuiltInDemos.size(), 11u);
    EXPECT_STREQ(kBuiltInDemos[0].Map, "Pier");
    EXPECT_STREQ(kBuiltInDemos[0].MapArgument, "pier");
    EXPECT_STREQ(kBuiltInDemos[10].Caption, "Kestrane - River");
    EXPECT_EQ(FrameRangeText(kBuiltInDemos[0].Frames), "(1 - 3721 frames)");
    EXPECT_EQ(FrameRangeText(kBuiltInDemos[10].Frames), "(1 - 4217 frames)");
    EXPECT_EQ(kBuiltInDemos[9].Frames, 9576);
    std::set<std::string> captions;
    for (const DemoEntry& d : kBuiltInDemos) {
        captions.insert(d.Caption);
        // The demo name is the file name without ".tmd" and the source ends in the same file.
        EXPECT_EQ(std::string(d.DemoName) + ".tmd", d.DemoFile);
        const std::string source = d.Source;
        EXPECT_EQ(source.substr(source.rfind('\\') + 1), d.DemoFile);
    }
    EXPECT_EQ(captions.size(), 11u);
}

}  // namespace wmb
