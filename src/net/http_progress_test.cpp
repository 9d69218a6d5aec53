#include "net/http_progress.h"

#include <gtest/gtest.h>

namespace wmb {

TEST(HttpProgress, FiguresFromBytesAndTicks) {
    const struct {
        std::uint32_t bytesRead, contentLength, resumeOffset, startTick, nowTick;
        std::uint8_t percent;
        std::uint32_t left, elapsed;
        float rate;
    } cases[] = {
        {4096, 40960, 0, 1000, 1500, 10, 0, 0, 4.0f},           // under a second: the rate is the bytes so far
        {10240, 40960, 0, 1000, 3999, 25, 6, 2, 5.0f},          // 40960 / 10240 * 2 = 8 in all, 6 left
        {40960, 40960, 0, 0, 4000, 100, 0, 4, 10.0f},
        {1000, 3000, 0, 0, 1000, 33, 2, 1, 1000 / 1024.0f},     // 33.3 rounds down
        {2000, 3000, 0, 0, 1000, 67, 1, 1, 2000 / 1024.0f},     // 66.7 rounds up, 1.5 left rounds to 2 - 1
        {500, 0, 0, 0, 3000, 0, 0, 3, 500 / 1024.0f / 3},        // no announced length
        {1000, 1000, 3000, 0, 0, 100, 0, 0, 1000 / 1024.0f},    // resumed: 3000 + 1000 of 4000
        {1000, 3000, 1000, 0, 0, 50, 0, 0, 1000 / 1024.0f},
        {5000, 4000, 0, 0, 2000, 100, 0, 2, 5000 / 1024.0f / 2},  // more than announced
        {2048, 4096, 0, 0xFFFFF000u, 0x00000BB8u, 50, 7, 7, 2048 / 1024.0f / 7},  // the tick counter wrapped
    };
    for (const auto& c : cases) {
        const TudProgress p = ComputeProgress(c.bytesRead, c.contentLength, c.resumeOffset, c.startTick, c.nowTick);
        EXPECT_EQ(p.PercentDone, c.percent) << c.bytesRead << "/" << c.contentLength;
        EXPECT_EQ(p.SecondsLeft, c.left) << c.bytesRead << "/" << c.contentLength;
        EXPECT_EQ(p.SecondsElapsed, c.elapsed) << c.bytesRead << "/" << c.contentLength;
        EXPECT_FLOAT_EQ(p.TransferRate, c.rate) << c.bytesRead << "/" << c.contentLength;
        EXPECT_EQ(p.BytesSoFar, c.resumeOffset + c.bytesRead);
        EXPECT_EQ(p.TotalBytes, c.resumeOffset + c.contentLength);
    }
}

TEST(HttpProgress, OutcomeOfAFinishedRequest) {
    using O = TudRequestOutcome;
    const struct {
        TudRequestState state;
        O outcome;
    } cases[] = {
        {{200, 100, 100, true, true, false, false}, O::Done},
        {{206, 100, 100, true, true, false, false}, O::Done},
        {{200, 0, 12345, true, true, false, false}, O::Done},           // no announced length: any count
        {{200, 100, 60, true, true, false, false}, O::TransferLost},    // the body stopped early
        {{200, 0, 60, true, true, false, true}, O::TransferLost},       // a read failed
        {{-1, 0, 0, true, false, false, false}, O::NoConnection},
        {{404, 20, 20, true, true, false, false}, O::HttpError},
        {{500, 0, 0, true, true, false, false}, O::HttpError},
        {{200, 100, 0, true, false, true, false}, O::HttpError},         // the output file could not be made
        {{200, 100, 0, false, false, false, false}, O::Skipped},
        {{404, 0, 0, false, false, false, false}, O::Skipped},
    };
    for (const auto& c : cases)
        EXPECT_EQ(OutcomeOf(c.state), c.outcome) << c.state.StatusCode << " " << c.state.BytesRead << "/"
                                                 << c.state.ContentLength;
}

TEST(HttpProgress, BodyTarget) {
    EXPECT_TRUE(BodyGoesToFile(200, "upd.exe"));
    EXPECT_TRUE(BodyGoesToFile(206, "upd.exe"));
    EXPECT_FALSE(BodyGoesToFile(404, "upd.exe"));  // the error page goes into memory
    EXPECT_FALSE(BodyGoesToFile(200, ""));
    EXPECT_EQ(MemoryPresize(2000), 2000u);
    EXPECT_EQ(MemoryPresize(3000000000u), kMaxMemoryPresize);  // a huge announced length is not allocated at once
}

}  // namespace wmb
