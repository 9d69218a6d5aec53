#include "results/sequence_report.h"

#include <utility>

namespace wmb {

void SequenceReport::AddHead(const std::vector<std::string>& lines) {
    lines_.insert(lines_.end(), lines.begin(), lines.end());
}

void SequenceReport::AddSection(const ReportSectionInput& section) {
    const std::vector<std::string> lines = ReportSectionLines(section);
    lines_.insert(lines_.end(), lines.begin(), lines.end());
    ++sectionCount_;
}

std::string SequenceReport::Finish() {
    const std::vector<std::string> foot = ReportFootLines();
    lines_.insert(lines_.end(), foot.begin(), foot.end());
    return JoinReport(lines_);
}

SequenceResults SequenceReport::Results(const std::string& version, const std::string& started,
                                        ResultSettings settings) const {
    SequenceResults results;
    results.Version = version;
    results.Started = started;
    results.Machine = machine_;
    results.Settings = std::move(settings);
    results.Slots = slots_;
    return results;
}

}  // namespace wmb
