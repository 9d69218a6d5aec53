#include "net/http_request_setup.h"

#include "net/wininet_values.h"

namespace wmb {

std::uint32_t OpenRequestFlags(TudCacheOptions cache, TudInternetOptions internet, bool https) {
    static constexpr struct {
        TudCacheOption option;
        std::uint32_t flag;
    } kCache[] = {
        {coAlwaysReload, inet::kFlagReload},
        {coReloadIfNoExpireInformation, inet::kFlagHyperlink},
        {coReloadUpdatedObjects, inet::kFlagResynchronize},
        {coPragmaNoCache, inet::kFlagPragmaNoCache},
        {coNoCacheWrite, inet::kFlagNoCacheWrite},
        {coCreateTempFilesIfCantCache, inet::kFlagMustCacheRequest},
        {coUseCacheIfNetFail, inet::kFlagFromCacheIfNetFail},
    };
    static constexpr struct {
        TudInternetOption option;
        std::uint32_t flag;
    } kInternet[] = {
        {ioIgnoreCertificateInvalid, inet::kFlagIgnoreCertCnInvalid},
        {ioIgnoreCertificateDateInvalid, inet::kFlagIgnoreCertDateInvalid},
        {ioIgnoreRedirectToHTTP, inet::kFlagIgnoreRedirectToHttp},
        {ioIgnoreRedirectToHTTPS, inet::kFlagIgnoreRedirectToHttps},
        {ioKeepConnection, inet::kFlagKeepConnection},
        {ioNoAuthentication, inet::kFlagNoAuth},
        {ioNoAutoRedirect, inet::kFlagNoAutoRedirect},
        {ioNoCookies, inet::kFlagNoCookies},
    };
    std::uint32_t flags = https ? inet::kFlagSecure : 0;
    for (const auto& c : kCache)
        if (cache & c.option) flags |= c.flag;
    for (const auto& i : kInternet)
        if (internet & i.option) flags |= i.flag;
    return flags;
}

TInternetOpenArgs InternetOpenArgs(const std::string& agent, const TudHTTPProxy& proxy, bool offline) {
    TInternetOpenArgs args;
    args.Agent = agent;
    args.Flags = offline ? inet::kFlagOffline : 0;
    switch (proxy.AccessType) {
        case TudAccessType::atPreconfig: args.AccessType = inet::kOpenTypePreconfig; break;
        case TudAccessType::atDirect: args.AccessType = inet::kOpenTypeDirect; break;
        case TudAccessType::atUseProxy:
            args.AccessType = inet::kOpenTypeProxy;
            args.ProxyName = proxy.ProxyServer + ":" + std::to_string(proxy.ProxyPort);
            args.ProxyBypass = proxy.ProxyBypass;
            break;
    }
    return args;
}

std::vector<TRequestOption> TimeoutOptions(const TudHTTPTimeouts& timeouts) {
    std::vector<TRequestOption> options;
    if (timeouts.ConnectTimeout != 0) options.push_back({inet::kOptionConnectTimeout, timeouts.ConnectTimeout});
    if (timeouts.ReceiveTimeout != 0) options.push_back({inet::kOptionReceiveTimeout, timeouts.ReceiveTimeout});
    if (timeouts.SendTimeout != 0) options.push_back({inet::kOptionSendTimeout, timeouts.SendTimeout});
    return options;
}

const char* RequestVerb(const std::string& postData, bool upload) { return postData.empty() && !upload ? "GET" : "POST"; }

std::string RangeHeaderLine(std::uint32_t start, std::uint32_t end) {
    return "RANGE: bytes=" + std::to_string(start) + "-" + (end != 0 ? std::to_string(end) : "") + "\r\n";
}

std::string RequestHeaderText(const std::vector<std::string>& customHeaders, const std::string& rangeLine) {
    std::string text;
    for (const auto& line : customHeaders) text += line + "\r\n";
    return text + rangeLine;
}

bool ResumedFileComplete(std::uint32_t fullLength, std::uint32_t resumeOffset) { return fullLength == resumeOffset; }

const char* StatusText(std::uint32_t status) {
    static constexpr struct {
        std::uint32_t status;
        const char* text;
    } kTexts[] = {
        {10, "Resolving name"},
        {11, "Name resolved"},
        {20, "Connecting to server"},
        {21, "Connected"},
        {30, "Sending Request"},
        {31, "Request sent"},
        {40, "Receiving response"},
        {41, "Response received"},
        {42, "CTL Response received"},
        {43, "Prefetch"},
        {50, "Closing connection"},
        {51, "Connection closed"},
        {60, "Handle created"},
        {70, "Handle closing"},
        {100, "Request complete"},
        {inet::kStatusRedirect, "Redirect"},
        {120, "Intermediate response"},
        {200, "State change"},
    };
    for (const auto& t : kTexts)
        if (t.status == status) return t.text;
    return "Unknown status";
}

}  // namespace wmb
