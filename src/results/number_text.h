#pragma once
// Numbers as text with "." whatever the locale, for the data files and the pages beside the report.

#include <string>

namespace wmb {

// The shortest text that reads back as the same number ("3", "45.3").
std::string NumberText(double value);

// The number with `decimals` digits after the point, rounded; never "-0.0".
std::string FixedText(double value, int decimals);

}  // namespace wmb
