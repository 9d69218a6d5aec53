#pragma once
// The settings of an HTTP request with their defaults: the login, the proxy, the byte range, the time-outs
// and the request settings proper.

#include <cstdint>
#include <string>
#include <vector>

namespace wmb {

enum TudCacheOption : std::uint8_t {
    coAlwaysReload = 1 << 0,
    coReloadIfNoExpireInformation = 1 << 1,
    coReloadUpdatedObjects = 1 << 2,
    coPragmaNoCache = 1 << 3,
    coNoCacheWrite = 1 << 4,
    coCreateTempFilesIfCantCache = 1 << 5,
    coUseCacheIfNetFail = 1 << 6,
};
using TudCacheOptions = std::uint8_t;  // a set of TudCacheOption bits

enum TudInternetOption : std::uint8_t {
    ioIgnoreCertificateInvalid = 1 << 0,
    ioIgnoreCertificateDateInvalid = 1 << 1,
    ioIgnoreRedirectToHTTP = 1 << 2,
    ioIgnoreRedirectToHTTPS = 1 << 3,
    ioKeepConnection = 1 << 4,
    ioNoAuthentication = 1 << 5,
    ioNoAutoRedirect = 1 << 6,
    ioNoCookies = 1 << 7,
};
using TudInternetOptions = std::uint8_t;  // a set of TudInternetOption bits

enum class TudAccessType : std::uint8_t { atPreconfig, atDirect, atUseProxy };

enum class TudThreadPriority : std::uint8_t { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };

struct TudLoginComponent {
    std::string HTTPUsername;
    std::string HTTPPassword;
};

struct TudHTTPProxy {
    TudAccessType AccessType = TudAccessType::atPreconfig;
    std::uint32_t ProxyPort = 8080;
    std::string ProxyServer;
    std::string ProxyBypass = "127.0.0.1;";
    std::string ProxyUsername;
    std::string ProxyPassword;
};

struct TudHTTPRange {
    std::uint32_t StartRange = 0;
    std::uint32_t EndRange = 0;  // 0 = to the end
};

struct TudHTTPTimeouts {  // milliseconds; 0 keeps the library's own
    std::uint32_t ConnectTimeout = 0;
    std::uint32_t ReceiveTimeout = 0;
    std::uint32_t SendTimeout = 0;
};

inline constexpr const char* kHttpAgentName = "WildmereBench-HTTP/1.0";

struct TudHTTPSettings {
    std::string Url;
    std::string OutputFileName;  // empty: the body goes into memory
    TudCacheOptions CacheOptions = coReloadIfNoExpireInformation | coReloadUpdatedObjects | coCreateTempFilesIfCantCache;
    TudInternetOptions InternetOptions = ioKeepConnection;
    std::uint32_t TransferBufferSize = 4096;
    std::string AcceptTypes = "text/html, */*";
    std::string AgentName = kHttpAgentName;
    std::string Referer;
    std::string PostData;     // sent as a form with POST
    std::string UploadData;   // sent with POST in TransferBufferSize chunks; empty: no upload
    std::vector<std::string> CustomHeaders;
    bool HiddenTempFiles = false;
    TudThreadPriority ThreadPriority = TudThreadPriority::tpNormal;
    TudHTTPProxy Proxy;
    TudHTTPRange Range;
    TudHTTPTimeouts Timeouts;
};

}  // namespace wmb
