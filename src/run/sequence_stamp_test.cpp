#include "run/sequence_stamp.h"

#include <gtest/gtest.h>

#include "settings/slots.h"

namespace wmb {

TEST(SequenceStamp, ReplacesEverySeparatorOfDateAndTime) {
    EXPECT_EQ(SequenceStampFrom("05.04.2007 15:04:05"), "05_04_2007_15_04_05");
    EXPECT_EQ(SequenceStampFrom("4/5/2007 3-04\\05 PM"), "4_5_2007_3_04_05_PM");
}

TEST(ResolutionSlots, CustomSlotNeedsTheBoxAndBothSizes) {
    BenchSettings s;
    s.CustomResolution = true;
    s.CustomWidth = "1152";
    EXPECT_FALSE(SlotSelected(kCustomSlot, s));
    s.CustomHeight = "864";
    EXPECT_TRUE(SlotSelected(kCustomSlot, s));
    EXPECT_EQ(SlotLabel(kCustomSlot, s), "1152 \xD7 864 (Custom)...");
    EXPECT_EQ(SlotLabel(3, s), "1280\xD7" "1024");
    s.CustomResolution = false;
    EXPECT_FALSE(SlotSelected(kCustomSlot, s));
}

}  // namespace wmb
