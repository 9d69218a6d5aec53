#pragma once
// The runs of a sequence as CSV (result_STAMP_.csv): a header row, then one row per run of every slot
// that succeeded; numbers with "." whatever the report's separator; CR LF. The columns slot, resolution, run,
// score, width, height, and launch (which launch of the slot gave the run) while slots whose runs vary are
// launched again. The resolution is written with a plain "x" ("1024x768"), so that the program's own
// fields are ASCII and any import, UTF-8 or ANSI, reads them alike.

#include <string>

#include "results/sequence_results.h"

namespace wmb {

// A field as it is written: in double quotes (doubled inside) only when it holds a comma, a double
// quote or a line break.
std::string CsvField(const std::string& text);
// A resolution's text with the multiplication sign written as "x".
std::string AsciiResolution(const std::string& resolution);

std::string ResultsCsv(const SequenceResults& results);

}  // namespace wmb
