#include "run/sequence_stamp.h"

namespace wmb {

std::string SequenceStampFrom(const std::string& dateTimeText) {
    std::string stamp = dateTimeText;
    for (char& c : stamp) {
        if (c == ':' || c == '.' || c == '/' || c == '-' || c == '\\' || c == ' ') c = '_';
    }
    return stamp;
}

}  // namespace wmb
