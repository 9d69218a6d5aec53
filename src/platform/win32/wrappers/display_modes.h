#pragma once
// The display modes of the primary display device.

#include <utility>
#include <vector>

namespace wmb {

// Width and height of every mode the driver reports, in the driver's order (duplicates that differ
// only in colour depth or refresh rate included).
std::vector<std::pair<unsigned, unsigned>> EnumerateDisplayModes();

}  // namespace wmb
