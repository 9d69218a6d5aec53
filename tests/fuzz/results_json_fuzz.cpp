// A results file written beside a report, read back by the comparison tool: the JSON reader, the results
// file and the comparison page of the file against itself.

#include <string>

#include "compare/comparison.h"
#include "compare/json_reader.h"
#include "fuzz/fuzz_input.h"

using namespace wmb;
using namespace wmb::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input = InputText(data, size);
    const JsonParse parse = ParseJson(input);
    Require(parse.Value || (!parse.Error.What.empty() && parse.Error.Line >= 1 && parse.Error.Column >= 1),
            "a text that does not parse says what and where");
    const ResultsRead read = ReadResultsFile(input);
    Require(read.File.has_value() == read.Error.empty(), "a results file reads, or says what is wrong");
    if (!read.File) return 0;
    const std::vector<ComparedInput> inputs = {{"A.json", *read.File}, {"B.json", *read.File}};
    Require(!CheckResolutions(inputs), "a file matches itself");
    for (const ComparedRow& row : ComparedRows(inputs)) {
        const std::string percent = PercentAgainstFirst(row.Slots[0], row.Slots[1]);
        Require(percent == "0.0 %" || percent == "-", "a file differs from itself by nothing");
    }
    Require(ComparisonPage(inputs).find("<script") == std::string::npos, "every text of the page is escaped");
    return 0;
}
