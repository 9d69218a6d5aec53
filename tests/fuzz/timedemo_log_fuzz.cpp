// The game's timedemo log, read after every game start: the line split, the finish check and the
// frame rates, with the run counts around the one the log's length fits (under both report
// separators and both system separators) and with argument texts the reader refuses.

#include <string>
#include <vector>

#include "fuzz/fuzz_input.h"
#include "results/log_reader.h"

using namespace wmb;
using namespace wmb::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string log = InputText(data, size);
    const std::vector<std::string> lines = SplitLogLines(log);
    for (const std::string& line : lines) {
        Require(line.find_first_of("\r\n") == std::string::npos, "a log line holds no line end");
        ParseDecimal(ReadScoreText(line), '.');
    }

    // Lines 4, 9, 14 ... hold the results: `fit` is the last run index the log is long enough for.
    // Around it every pair of separators; for the texts the reader refuses one pair the input picks.
    const std::size_t fit = lines.size() >= 4 ? (lines.size() - 4) / 5 : 0;
    std::vector<std::string> runs = {std::to_string(fit), std::to_string(fit + 1)};
    if (fit > 0) runs.push_back(std::to_string(fit - 1));
    const std::size_t aroundFit = runs.size();
    for (const char* refused : {"", "x", "-1", "1e2", "0000000"}) runs.push_back(refused);
    const char tailReportSep = TailBit(log, 0, 0) ? ',' : '.';
    const char tailSystemSep = TailBit(log, 0, 1) ? ',' : '.';
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const std::string& runsArgument = runs[i];
        CheckRunLog(log, runsArgument);
        for (const char reportSep : {'.', ','}) {
            for (const char systemSep : {'.', ','}) {
                if (i >= aroundFit && (reportSep != tailReportSep || systemSep != tailSystemSep)) continue;
                const auto results = ReadRunResults(log, runsArgument, reportSep, systemSep);
                if (!results) continue;
                const std::size_t runCount = std::stoul(runsArgument) + 1;
                Require(results->Scores.size() == runCount, "one score per run");
                Require(results->Average.empty() == (runCount == 1), "an average exactly for several runs");
            }
        }
    }
    return 0;
}
