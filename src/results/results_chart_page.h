#pragma once
// The chart page written beside the report (result_STAMP_chart.htm): a self-contained HTML page, 8-bit
// ANSI text with CR LF like the report, with the sequence's start and settings, a bar chart of the average
// per resolution (each run marked, min-max whiskers, unstable slots flagged) and the figures in a table.

#include <string>

#include "results/sequence_results.h"
#include "results/svg_bar_chart.h"

namespace wmb {

// One bar per slot in the order the slots ran; a failed slot has no bar.
BarChart ResultsChart(const SequenceResults& results);

std::string ResultsChartPage(const SequenceResults& results);

}  // namespace wmb
