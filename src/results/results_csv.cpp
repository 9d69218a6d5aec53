#include "results/results_csv.h"

namespace wmb {

std::string CsvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

std::string ResultsCsv(const SequenceResults& results) {
    std::string csv = "slot,resolution,run,score\r\n";
    for (const SlotResult& slot : results.Slots) {
        if (slot.Failure) continue;
        for (std::size_t j = 0; j < slot.Runs.size(); ++j) {
            csv += std::to_string(slot.Slot) + "," + CsvField(slot.Resolution) + "," + std::to_string(j + 1) + "," +
                   NumberText(slot.Runs[j].Score) + "\r\n";
        }
    }
    return csv;
}

}  // namespace wmb
