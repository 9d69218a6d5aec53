#include "sysinfo/dxdiag_report.h"

#include <algorithm>
#include <utility>

#include "base/case_tables.h"
#include "base/text.h"

#include "sysinfo/system_info.h"

namespace wmb {

namespace {

std::string FromPosition(const std::string& text, std::size_t position) {
    return position - 1 < text.size() ? text.substr(position - 1) : std::string();
}

// The sound device's value is cut at the colon of "Description:"; the colon and the blank after
// it go.
std::string CleanDescription(std::string value) {
    if (const auto colon = value.find(':'); colon != std::string::npos) value.erase(colon, 1);
    if (const auto blank = value.find(' '); blank != std::string::npos) value.erase(blank, 1);
    return value;
}

}  // namespace

std::vector<std::string> SplitReportLines(const std::string& bytes) { return SplitLines(bytes); }

std::string ReduceDxInfoLine(const std::string& line) {
    if (const auto eq = line.find('='); eq != std::string::npos) return line.substr(eq + 1);
    return line.empty() ? line : line.substr(1);
}

DxInfoReader::DxInfoReader(std::vector<std::string> lines) : lines_(std::move(lines)) {}

bool DxInfoReader::NextDxInfoLine() {
    if (first_ + 1 >= lines_.size()) return false;
    ++first_;
    current_ = ReduceDxInfoLine(lines_[first_]);
    current_.erase(0, current_.find_first_not_of(' '));
    return true;
}

bool DxInfoReader::FindKey(const std::string& key, std::size_t position, std::string& value) {
    if (first_ >= lines_.size()) return false;
    const std::size_t start = first_;
    current_ = ReduceDxInfoLine(lines_[first_]);
    while (!ContainsIgnoringAsciiCase(current_, key)) {
        if (!NextDxInfoLine()) {
            first_ = start;
            return false;
        }
    }
    value = FromPosition(current_, position);
    return true;
}

DxDiagFacts ParseDxDiagReport(const std::string& bytes) {
    DxInfoReader reader(SplitReportLines(bytes));
    DxDiagFacts facts;
    auto read = [&](const char* key, std::size_t position, std::string& value, bool& found) {
        found = reader.FindKey(key, position, value);
        if (!found) value = kIndeterminable;
    };
    read("Card name:", 11, facts.CardName, facts.CardNameFound);
    read("Display Memory:", 16, facts.DisplayMemory, facts.DisplayMemoryFound);
    read("Driver Version:", 16, facts.DriverVersion, facts.DriverVersionFound);
    read("Description:", 12, facts.SoundDevice, facts.SoundDeviceFound);
    if (facts.SoundDeviceFound) facts.SoundDevice = CleanDescription(facts.SoundDevice);
    return facts;
}

}  // namespace wmb
