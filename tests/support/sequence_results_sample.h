#pragma once
// A sequence's results for the tests of the data files: one slot with two runs and one that failed, with
// texts beyond ASCII in the machine facts and the settings.

#include "results/sequence_results.h"

namespace wmb::test {

inline SequenceResults TwoSlots() {
    SequenceResults r;
    r.Version = "1.8.0.0";
    r.Started = "05.04.2007 15:04:05";
    r.Machine = {{"CPU", "Intel\xAE Core \"Duo\""}, {"CPU speed", "2000 MHz"}};
    r.Settings = {"Pier, 1.tmd", "Maximum quality option", "Direct3D", "model 2.0b", "4\xD7", "8\xD7",
                  "disabled", "enabled", "disabled", 2, "C:\\drivers\\new \x80"};
    SlotResult ok;
    ok.Slot = 2;
    ok.Resolution = "1024\xD7" "768";
    ok.Width = 1024;
    ok.Height = 768;
    ok.Runs = {{"40,5", 40.5}, {"49.5", 49.5}};
    ok.AverageText = "45";
    SlotResult failed;
    failed.Slot = 3;
    failed.Resolution = "1280\xD7" "1024";
    failed.Width = 1280;
    failed.Height = 1024;
    failed.Failure = SlotFailure::NoFinishLine;
    r.Slots = {ok, failed};
    return r;
}

}  // namespace wmb::test
