#include "demos/demo_table.h"

namespace wmb {

std::string FrameRangeText(int frames) { return "(1 - " + std::to_string(frames) + " frames)"; }

std::string MapName(const DemoLocation& demo) {
    const std::string& folder = demo.MapFolder;
    return folder.empty() ? folder : folder.substr(0, folder.size() - 1);
}

}  // namespace wmb
