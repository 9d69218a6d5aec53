#pragma once
// The comparison of several results files: the checks between them and the HTML page that shows them
// side by side. Texts are UTF-8.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "compare/results_file.h"

namespace wmb {

struct ComparedInput {
    std::string Name;  // as the page and the messages name the input, e.g. "B.json"
    ResultsFile File;
};

// Nothing when every input holds a slot at each resolution where the first input has a result and the
// other way round; otherwise the first input that does not match, with both inputs' resolutions:
// "its resolutions (800×600) differ from those of A.json (800×600, 1024×768)".
struct ResolutionMismatch {
    std::size_t Input = 0;
    std::string What;
};
std::optional<ResolutionMismatch> CheckResolutions(const std::vector<ComparedInput>& inputs);

// The difference of a slot's average against the first input's in percent, (x - first) / first * 100
// with one decimal and its sign ("+12.5 %", "-3.0 %", "0.0 %"); "-" when either slot is missing or failed
// or the first average is 0.
std::string PercentAgainstFirst(const ResultsSlot* first, const ResultsSlot* slot);

// The resolutions of all inputs in the order they first appear, with each input's slot there (null when
// it has none).
struct ComparedRow {
    std::string Resolution;
    std::vector<const ResultsSlot*> Slots;
};
std::vector<ComparedRow> ComparedRows(const std::vector<ComparedInput>& inputs);

// A self-contained HTML page (UTF-8, CR LF line ends, no script): the inputs, their settings and machine
// facts side by side with the differing rows highlighted, the averages per resolution with the differences
// against the first input, and a grouped bar chart.
// `missing` lists what a sweep could not compare ("low.ini: refused: line 3: ..."), each shown under the
// inputs; nothing is shown for an empty list.
std::string ComparisonPage(const std::vector<ComparedInput>& inputs, const std::vector<std::string>& missing = {});

}  // namespace wmb
