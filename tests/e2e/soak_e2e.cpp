// A short long session: one running program through five benchmark sequences, and five openings of each
// dialog, must not keep more handles, GDI or USER objects than after the first. Counts, not times.

#include <functional>

#include "e2e/bench_fixture.h"
#include "e2e/soak_drive.h"

namespace wmb::e2e {
namespace {

constexpr int kRepeats = 5;

class SoakE2E : public BenchTest {
protected:
    void SetUp() override {
        BenchTest::SetUp();
        PointAtGame();
        PutUserDemo(Box());
        StartProgram();
    }
    SoakSandbox Box() const { return {program_, game_}; }
    ResourceCounts Counts() const { return ReadResourceCounts(app_->ProcessHandle(), app_->ProcessId()); }
    // Runs `step` kRepeats times and expects the counts after the last to be those after the first.
    void ExpectNoGrowth(const std::function<void(int)>& step) {
        step(0);
        const ResourceCounts first = Counts();
        for (int i = 1; i < kRepeats; ++i) step(i);
        const ResourceCounts last = Counts();
        const std::string table = CountsSideBySide(first, last, "after 1", "after " + std::to_string(kRepeats));
        EXPECT_LE(last.handles, first.handles) << table;
        EXPECT_LE(last.gdiObjects, first.gdiObjects) << table;
        EXPECT_LE(last.userObjects, first.userObjects) << table;
    }
};

TEST_F(SoakE2E, SequencesKeepNoHandlesOrGdiObjects) {
    ExpectNoGrowth([&](int i) { RunSoakSequence(main_, app_->ProcessId(), Box(), i); });
}

TEST_F(SoakE2E, DialogsKeepNoHandlesOrGdiObjects) {
    const DWORD pid = app_->ProcessId();
    ExpectNoGrowth([&](int) { OpenAndCloseMonitorDialog(main_, pid); });
    PrepareFramesDialog(main_, pid);
    ExpectNoGrowth([&](int) { OpenAndCloseFramesDialog(main_, pid); });
    ExpectNoGrowth([&](int) { OpenAndCloseNewsWindow(pid); });
}

}  // namespace
}  // namespace wmb::e2e
