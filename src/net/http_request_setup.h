#pragma once
// What the settings make of a request's calls into the library: the open-request flags, the access type
// and proxy of the internet handle, the time-out options, the verb, the request headers with the range
// line, and the texts of the library's status notifications.

#include <cstdint>
#include <string>
#include <vector>

#include "net/http_settings.h"

namespace wmb {

// The open-request flags of the cache and internet options; "https" adds the secure flag.
std::uint32_t OpenRequestFlags(TudCacheOptions cache, TudInternetOptions internet, bool https);

struct TInternetOpenArgs {
    std::string Agent;
    std::uint32_t AccessType = 0;
    std::string ProxyName;    // "server:port" with a proxy, else empty (none passed)
    std::string ProxyBypass;  // empty: none passed
    std::uint32_t Flags = 0;
};

TInternetOpenArgs InternetOpenArgs(const std::string& agent, const TudHTTPProxy& proxy, bool offline);

struct TRequestOption {
    std::uint32_t Option;
    std::uint32_t Value;
    bool operator==(const TRequestOption&) const = default;
};

// One option per time-out that is not 0: connect, receive, send.
std::vector<TRequestOption> TimeoutOptions(const TudHTTPTimeouts& timeouts);

// "POST" with post data or an upload, else "GET".
const char* RequestVerb(const std::string& postData, bool upload);

inline constexpr const char* kPostContentTypeHeader = "Content-Type: application/x-www-form-urlencoded";

// "RANGE: bytes=START-END\r\n", the end left out when 0.
std::string RangeHeaderLine(std::uint32_t start, std::uint32_t end);

// The lines added to the request, each ended by CR LF, the range line last; empty when there are none.
std::string RequestHeaderText(const std::vector<std::string>& customHeaders, const std::string& rangeLine);

// After a 416 reply to a resume the whole file is asked for again; when its full length is the resume
// offset, the file was complete already.
bool ResumedFileComplete(std::uint32_t fullLength, std::uint32_t resumeOffset);

// The text of a status notification of the library's status callback.
const char* StatusText(std::uint32_t status);

}  // namespace wmb
