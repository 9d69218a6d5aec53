#include "net/http_url.h"

#include <cctype>

#include "base/case_tables.h"

namespace wmb {
namespace {

bool ValidScheme(const std::string& scheme) {
    if (scheme.empty() || !std::isalpha(static_cast<unsigned char>(scheme[0]))) return false;
    for (char c : scheme)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '+' && c != '-' && c != '.') return false;
    return true;
}

std::uint16_t DefaultPort(const std::string& scheme) {
    if (SameTextIgnoringCase(scheme, "http")) return 80;
    if (SameTextIgnoringCase(scheme, "https")) return 443;
    if (SameTextIgnoringCase(scheme, "ftp")) return 21;
    if (SameTextIgnoringCase(scheme, "gopher")) return 70;
    return 0;
}

bool Fits(const std::string& part, std::size_t buffer) { return part.size() < buffer; }

bool FitsBuffers(const TUrlParts& p) {
    return Fits(p.Scheme, kUrlSchemeBuffer) && Fits(p.HostName, kUrlHostBuffer) && Fits(p.UserName, kUrlUserBuffer) &&
           Fits(p.Password, kUrlPasswordBuffer) && Fits(p.UrlPath, kUrlPathBuffer) && Fits(p.ExtraInfo, kUrlExtraBuffer);
}

bool IsDriveStart(const std::string& text, std::size_t at) {
    return text.size() >= at + 2 && std::isalpha(static_cast<unsigned char>(text[at])) &&
           (text[at + 1] == ':' || text[at + 1] == '|');
}

// "file://" addresses: an empty host or "localhost" before the path's "/", a drive letter straight after
// the slashes, or a server name.
void SplitFileAddress(const std::string& rest, TUrlParts& parts) {
    if (IsDriveStart(rest, 0)) {
        parts.UrlPath = rest;
        return;
    }
    const std::size_t slash = rest.find('/');
    parts.HostName = rest.substr(0, slash);
    parts.UrlPath = slash == std::string::npos ? "" : rest.substr(slash);
}

// "user:password@host:port" into its parts; false for a port that is not a number from 1 to 65535.
bool SplitAuthority(const std::string& authority, TUrlParts& parts) {
    std::string hostPort = authority;
    const std::size_t at = authority.rfind('@');
    if (at != std::string::npos) {
        const std::string user = authority.substr(0, at);
        const std::size_t colon = user.find(':');
        parts.UserName = user.substr(0, colon);
        if (colon != std::string::npos) parts.Password = user.substr(colon + 1);
        hostPort = authority.substr(at + 1);
    }
    const std::size_t bracket = hostPort.rfind(']');
    const std::size_t colon = hostPort.find(':', bracket == std::string::npos ? 0 : bracket);
    parts.HostName = hostPort.substr(0, colon);
    parts.Port = DefaultPort(parts.Scheme);
    if (colon == std::string::npos || colon + 1 == hostPort.size()) return !parts.HostName.empty();
    const std::string digits = hostPort.substr(colon + 1);
    if (digits.size() > 5) return false;
    unsigned port = 0;
    for (char c : digits) {
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
        port = port * 10 + static_cast<unsigned>(c - '0');
    }
    if (port == 0 || port > 65535) return false;
    parts.Port = static_cast<std::uint16_t>(port);
    return !parts.HostName.empty();
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::string PercentDecoded(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 && HexValue(text[i + 2]) >= 0) {
            out += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace

std::string WithSchemePrefix(const std::string& url) {
    return url.find("://") == std::string::npos ? "http://" + url : url;
}

std::optional<TUrlParts> CrackUrl(const std::string& url) {
    const std::size_t mark = url.find("://");
    if (mark == std::string::npos) return std::nullopt;
    TUrlParts parts;
    parts.Scheme = url.substr(0, mark);
    if (!ValidScheme(parts.Scheme)) return std::nullopt;
    const std::string rest = url.substr(mark + 3);
    if (SameTextIgnoringCase(parts.Scheme, "file")) {
        SplitFileAddress(rest, parts);
    } else {
        const std::size_t end = rest.find_first_of("/?#");
        if (!SplitAuthority(rest.substr(0, end), parts)) return std::nullopt;
        if (end != std::string::npos) {
            const std::size_t extra = rest.find_first_of("?#", end);
            parts.UrlPath = rest.substr(end, extra == std::string::npos ? std::string::npos : extra - end);
            if (extra != std::string::npos) parts.ExtraInfo = rest.substr(extra);
        }
    }
    if (!FitsBuffers(parts)) return std::nullopt;
    return parts;
}

void FillCredentials(TUrlParts& parts, const TudLoginComponent& login) {
    if (parts.UserName.empty()) parts.UserName = login.HTTPUsername;
    if (parts.Password.empty()) parts.Password = login.HTTPPassword;
}

bool SchemeIs(const TUrlParts& parts, const char* scheme) { return SameTextIgnoringCase(parts.Scheme, scheme); }

std::string RequestObject(const TUrlParts& parts) { return parts.UrlPath + parts.ExtraInfo; }

std::string FilePathOfUrl(const TUrlParts& parts) {
    std::string path = PercentDecoded(parts.UrlPath);
    if (path.size() >= 3 && path[0] == '/' && IsDriveStart(path, 1)) path.erase(0, 1);
    if (IsDriveStart(path, 0)) path[1] = ':';
    for (char& c : path)
        if (c == '/') c = '\\';
    if (!parts.HostName.empty() && !SameTextIgnoringCase(parts.HostName, "localhost")) return "\\\\" + parts.HostName + path;
    return path;
}

std::optional<std::string> ResolveRedirect(const std::string& base, const std::string& location) {
    if (location.empty()) return std::nullopt;
    const std::string lower = LowerText(location);
    if (lower.starts_with("http://") || lower.starts_with("https://")) return location;
    const auto schemeEnd = base.find("://");
    if (schemeEnd == std::string::npos) return std::nullopt;
    // A scheme of its own ("file:", "ftp:", "javascript:") before any "/", "?" or "#".
    const auto colon = location.find(':');
    if (colon != std::string::npos && colon < location.find_first_of("/?#")) return std::nullopt;
    if (location.starts_with("//")) return base.substr(0, schemeEnd + 1) + location;
    const auto pathStart = base.find('/', schemeEnd + 3);
    const std::string server = base.substr(0, pathStart);
    if (location.starts_with("/")) return server + location;
    if (pathStart == std::string::npos) return server + "/" + location;
    const std::string path = base.substr(pathStart, base.find_first_of("?#", pathStart) - pathStart);
    return server + path.substr(0, path.rfind('/') + 1) + location;
}

}  // namespace wmb
