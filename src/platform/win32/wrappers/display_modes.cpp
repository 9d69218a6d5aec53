#include "platform/win32/wrappers/display_modes.h"

#include <windows.h>

namespace wmb {

std::vector<std::pair<unsigned, unsigned>> EnumerateDisplayModes() {
    std::vector<std::pair<unsigned, unsigned>> modes;
    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    for (DWORD index = 0; EnumDisplaySettingsA(nullptr, index, &mode); ++index)
        modes.emplace_back(mode.dmPelsWidth, mode.dmPelsHeight);
    return modes;
}

}  // namespace wmb
