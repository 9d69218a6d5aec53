#pragma once
// What a sequence gathers for its report and data files as its slots end: the report's head, a section
// per slot that succeeded, every slot's result and the machine's facts; the foot when it is saved.

#include <string>
#include <utility>
#include <vector>

#include "results/report.h"
#include "results/sequence_results.h"

namespace wmb {

class SequenceReport {
public:
    void AddHead(const std::vector<std::string>& lines);
    void SetMachine(std::vector<MachineFact> machine) { machine_ = std::move(machine); }
    // The section of a slot that succeeded.
    void AddSection(const ReportSectionInput& section);
    void AddSlot(SlotResult slot) { slots_.push_back(std::move(slot)); }
    // Forgets the report's lines (the sequence ends without a report); the slots' results stay.
    void DropLines() { lines_.clear(); }

    int SectionCount() const { return sectionCount_; }
    const std::vector<std::string>& Lines() const { return lines_; }
    const std::vector<SlotResult>& Slots() const { return slots_; }

    // Adds the foot and gives the report's bytes.
    std::string Finish();
    // The data files' contents.
    SequenceResults Results(const std::string& version, const std::string& started, ResultSettings settings) const;

private:
    std::vector<std::string> lines_;
    std::vector<SlotResult> slots_;
    std::vector<MachineFact> machine_;  // the facts of the report head
    int sectionCount_ = 0;
};

}  // namespace wmb
