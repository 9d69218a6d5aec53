// A short long session: one running program through five benchmark sequences, and five openings of each
// dialog, must not keep more handles, GDI or USER objects after the last than after the second. Counts,
// not times.

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
    // Runs `step` kRepeats times and expects the counts after the last to be those after the second. The
    // first two steps warm what is made once on demand: Wine's cache of device contexts gains a few (each
    // with its region and bitmap) the first times windows are painted over one another.
    void ExpectNoGrowth(const char* what, const std::function<void(int)>& step) {
        step(0);
        step(1);
        const ResourceCounts first = Counts();
        for (int i = 2; i < kRepeats; ++i) step(i);
        const ResourceCounts last = Counts();
        const std::string table =
            what + std::string(":\n") + CountsSideBySide(first, last, "after 2", "after " + std::to_string(kRepeats));
        EXPECT_LE(last.handles, first.handles) << table;
        EXPECT_LE(last.gdiObjects, first.gdiObjects) << table;
        EXPECT_LE(last.userObjects, first.userObjects) << table;
    }
};

TEST_F(SoakE2E, SequencesKeepNoHandlesOrGdiObjects) {
    ExpectNoGrowth("sequences", [&](int i) { RunSoakSequence(main_, app_->ProcessId(), Box(), i); });
}

TEST_F(SoakE2E, DialogsKeepNoHandlesOrGdiObjects) {
    const DWORD pid = app_->ProcessId();
    ExpectNoGrowth("monitor resolutions dialog", [&](int) { OpenAndCloseMonitorDialog(main_, pid); });
    PrepareFramesDialog(main_, pid);
    ExpectNoGrowth("demo frames dialog", [&](int) { OpenAndCloseFramesDialog(main_, pid); });
    ExpectNoGrowth("news window", [&](int) { OpenAndCloseNewsWindow(pid); });
}

}  // namespace
}  // namespace wmb::e2e
