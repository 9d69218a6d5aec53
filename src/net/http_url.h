#pragma once
// The address of a request: the "http://" prefix for addresses without a scheme, the split into the parts
// the request is made from (with the part sizes the Win32 URL splitter accepts), and the local path of a
// "file" address.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "net/http_settings.h"

namespace wmb {

// Buffer sizes in bytes, terminating zero included: a longer part makes the split fail.
inline constexpr std::size_t kUrlSchemeBuffer = 33;
inline constexpr std::size_t kUrlHostBuffer = 257;
inline constexpr std::size_t kUrlUserBuffer = 129;
inline constexpr std::size_t kUrlPasswordBuffer = 129;
inline constexpr std::size_t kUrlPathBuffer = 2049;
inline constexpr std::size_t kUrlExtraBuffer = 2049;

struct TUrlParts {
    std::string Scheme;  // as written, without ":"
    std::string HostName;
    std::uint16_t Port = 0;  // the scheme's default when none is written; 0 when the scheme has none
    std::string UserName;
    std::string Password;
    std::string UrlPath;    // from the first "/" of the path on ("" when there is none)
    std::string ExtraInfo;  // from "?" or "#" on
};

// The address as fetched: "http://" in front when it holds no "://".
std::string WithSchemePrefix(const std::string& url);

// The parts of a full address; nothing when it is malformed or a part does not fit its buffer.
std::optional<TUrlParts> CrackUrl(const std::string& url);

// An empty user name or password is taken from the login.
void FillCredentials(TUrlParts& parts, const TudLoginComponent& login);

bool SchemeIs(const TUrlParts& parts, const char* scheme);  // case ignored

// The object asked of the server: path and extra part together.
std::string RequestObject(const TUrlParts& parts);

// Where a redirect from `base` leads: an absolute http or https address as it is, "//host/path" with the
// base's scheme, "/path" on the base's server, anything else relative to the base's folder. Nothing for an
// empty location or another scheme ("file:", "ftp:"): a redirect is only followed to the web.
std::optional<std::string> ResolveRedirect(const std::string& base, const std::string& location);

// The Windows path of a "file" address: "file:///C:/a%20b/c.txt" is "C:\a b\c.txt",
// "file://server/share/c.txt" is "\\server\share\c.txt".
std::string FilePathOfUrl(const TUrlParts& parts);

}  // namespace wmb
