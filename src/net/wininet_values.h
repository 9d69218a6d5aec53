#pragma once
// The numbers WinINet gives its flags, options, queries and status notifications, under names of our own
// so that they never meet the library's macros in the Win32 layer.

#include <cstdint>

namespace wmb::inet {

// Open-request flags.
inline constexpr std::uint32_t kFlagReload = 0x80000000;
inline constexpr std::uint32_t kFlagMustCacheRequest = 0x10;
inline constexpr std::uint32_t kFlagPragmaNoCache = 0x100;
inline constexpr std::uint32_t kFlagResynchronize = 0x800;
inline constexpr std::uint32_t kFlagHyperlink = 0x400;
inline constexpr std::uint32_t kFlagNoCacheWrite = 0x4000000;
inline constexpr std::uint32_t kFlagFromCacheIfNetFail = 0x10000;
inline constexpr std::uint32_t kFlagIgnoreCertCnInvalid = 0x1000;
inline constexpr std::uint32_t kFlagIgnoreCertDateInvalid = 0x2000;
inline constexpr std::uint32_t kFlagIgnoreRedirectToHttp = 0x8000;
inline constexpr std::uint32_t kFlagIgnoreRedirectToHttps = 0x4000;
inline constexpr std::uint32_t kFlagKeepConnection = 0x400000;
inline constexpr std::uint32_t kFlagNoAuth = 0x40000;
inline constexpr std::uint32_t kFlagNoAutoRedirect = 0x200000;
inline constexpr std::uint32_t kFlagNoCookies = 0x80000;
inline constexpr std::uint32_t kFlagSecure = 0x800000;

// Internet-open access types and flags.
inline constexpr std::uint32_t kOpenTypePreconfig = 0;
inline constexpr std::uint32_t kOpenTypeDirect = 1;
inline constexpr std::uint32_t kOpenTypeProxy = 3;
inline constexpr std::uint32_t kFlagOffline = 0x1000000;

inline constexpr std::uint32_t kServiceHttp = 3;

// Options set on a request.
inline constexpr std::uint32_t kOptionConnectTimeout = 2;
inline constexpr std::uint32_t kOptionSendTimeout = 5;
inline constexpr std::uint32_t kOptionReceiveTimeout = 6;
inline constexpr std::uint32_t kOptionUsername = 28;
inline constexpr std::uint32_t kOptionPassword = 29;
inline constexpr std::uint32_t kOptionProxyUsername = 43;
inline constexpr std::uint32_t kOptionProxyPassword = 44;

// Request-header modes.
inline constexpr std::uint32_t kAddHeaderAdd = 0x20000000;
inline constexpr std::uint32_t kAddHeaderReplace = 0x80000000;

// Header queries.
inline constexpr std::uint32_t kQueryContentType = 1;
inline constexpr std::uint32_t kQueryContentLength = 5;
inline constexpr std::uint32_t kQueryContentLanguage = 6;
inline constexpr std::uint32_t kQueryDate = 9;
inline constexpr std::uint32_t kQueryExpires = 10;
inline constexpr std::uint32_t kQueryLastModified = 11;
inline constexpr std::uint32_t kQueryStatusCode = 19;
inline constexpr std::uint32_t kQueryRawHeadersCrlf = 22;
inline constexpr std::uint32_t kQueryContentEncoding = 29;
inline constexpr std::uint32_t kQueryLocation = 33;
inline constexpr std::uint32_t kQueryWwwAuthenticate = 40;
inline constexpr std::uint32_t kQueryProxyAuthenticate = 41;
inline constexpr std::uint32_t kQueryEtag = 54;

// Status notifications passed to the status callback.
inline constexpr std::uint32_t kStatusHandleCreated = 60;
inline constexpr std::uint32_t kStatusRedirect = 110;

}  // namespace wmb::inet
