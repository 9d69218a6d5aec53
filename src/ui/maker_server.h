#pragma once
// The maker's web server, which serves the news page, the update information and takes crash reports.
// Tests put a loopback server of their own in its place: WMB_MAKER_SERVER names its host and port.

#include <windows.h>

#include <string>

#include "net/maker_server.h"

namespace wmb::ui {

inline std::string MakerServer() {
    char server[256] = {};
    const DWORD length = GetEnvironmentVariableA("WMB_MAKER_SERVER", server, sizeof server);
    return length > 0 && length < sizeof server ? std::string(server, length) : std::string(kNewsServer);
}

}  // namespace wmb::ui
