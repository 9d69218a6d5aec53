#pragma once
// The maker's web server, which serves the news page and the update information and takes crash reports.

namespace wmb {

inline constexpr const char* kNewsServer = "www.kestrane.com";

}  // namespace wmb
