#pragma once
// The runs of a sequence as CSV (result_STAMP_.csv): a header row, then one row per run of every slot
// that succeeded; numbers with "." whatever the report's separator; 8-bit ANSI text with CR LF.

#include <string>

#include "results/sequence_results.h"

namespace wmb {

// A field as it is written: in double quotes (doubled inside) only when it holds a comma, a double
// quote or a line break.
std::string CsvField(const std::string& text);

std::string ResultsCsv(const SequenceResults& results);

}  // namespace wmb
