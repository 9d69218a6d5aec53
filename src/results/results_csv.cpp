#include "results/results_csv.h"

namespace wmb {

std::string CsvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

std::string AsciiResolution(const std::string& resolution) {
    std::string text = resolution;
    for (char& c : text) {
        if (c == '\xD7') c = 'x';
    }
    return text;
}

std::string ResultsCsv(const SequenceResults& results) {
    // While slots whose runs vary are launched again, a last column tells each run's launch.
    const bool launches = results.Repeat.has_value();
    std::string csv = launches ? "slot,resolution,run,score,width,height,launch\r\n"
                               : "slot,resolution,run,score,width,height\r\n";
    for (const SlotResult& slot : results.Slots) {
        if (slot.Failure) continue;
        const std::string size = std::to_string(slot.Width) + "," + std::to_string(slot.Height);
        for (std::size_t j = 0; j < slot.Runs.size(); ++j) {
            const int launch = slot.Repeats ? slot.Repeats->LaunchOf(j) : 1;
            csv += std::to_string(slot.Slot) + "," + CsvField(AsciiResolution(slot.Resolution)) + "," +
                   std::to_string(j + 1) + "," + NumberText(slot.Runs[j].Score) + "," + size +
                   (launches ? "," + std::to_string(launch) : std::string()) + "\r\n";
        }
    }
    return csv;
}

}  // namespace wmb
