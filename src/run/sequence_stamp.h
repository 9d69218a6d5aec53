#pragma once

#include <string>

namespace wmb {

// File-name-safe form of a date-time text: every ":", ".", "/", "-", "\" and blank becomes "_".
std::string SequenceStampFrom(const std::string& dateTimeText);

}  // namespace wmb
