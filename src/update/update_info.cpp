#include "update/update_info.h"

#include <algorithm>
#include <cstring>

#include "base/case_tables.h"
#include "base/date_time.h"
#include "net/http_url.h"

namespace wmb {
namespace {

// A field of decimal digits only that fits an int; -1 for anything else.
int DecimalOrMinusOne(const std::string& field) {
    if (field.empty() || field.size() > 9) return -1;
    int value = 0;
    for (char c : field) {
        if (c < '0' || c > '9') return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

// The four fields of a dotted version: "1.8" is 1, 8, 0, 0; a fifth field and beyond are ignored.
void SplitVersion(std::string text, std::string (&fields)[4]) {
    text += '.';
    for (std::string& field : fields) {
        const auto dot = text.find('.');
        if (dot == std::string::npos) {
            field = "0";
            continue;
        }
        field = text.substr(0, dot);
        text.erase(0, dot + 1);
    }
}

int ByteCompare(const std::string& a, const std::string& b) {
    const int c = std::memcmp(a.data(), b.data(), std::min(a.size(), b.size()));
    if (c != 0) return c < 0 ? -1 : 1;
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

}  // namespace

std::string InfoValue(const std::string& infoText, const std::string& key, bool braced) {
    const std::string marker = "#" + LowerText(key) + (braced ? "={" : "=");
    const auto at = LowerText(infoText).find(marker);
    if (at == std::string::npos) return "";
    const auto begin = infoText.begin() + static_cast<std::ptrdiff_t>(at + marker.size());
    const auto end = braced ? std::find(begin, infoText.end(), '}')
                            : std::find_if(begin, infoText.end(),
                                           [](char c) { return static_cast<unsigned char>(c) < 32; });
    return std::string(begin, end);
}

std::vector<TInfoFile> InfoFileList(const std::string& infoText) {
    std::vector<TInfoFile> files;
    auto take = [&](const std::string& suffix) {
        std::string url = InfoValue(infoText, "url" + suffix);
        if (url.empty()) return false;
        files.push_back({std::move(url), LowerText(InfoValue(infoText, "sha256" + suffix))});
        return true;
    };
    take("");
    take("0");
    for (std::size_t n = files.size() + 1; take(std::to_string(n)); ++n) {
    }
    return files;
}

TudUpgradeMethod InfoUpgradeMethod(const std::string& infoText) {
    const std::string method = InfoValue(infoText, "method");
    if (method.empty()) return umSelfUpgrade;
    if (method[0] == '1') return umUseExternalSetup;
    if (method[0] == '2') return umRedirectToURL;
    return umSelfUpgrade;
}

int CompareVersions(const std::string& a, const std::string& b) {
    std::string fieldsA[4], fieldsB[4];
    SplitVersion(a, fieldsA);
    SplitVersion(b, fieldsB);
    for (int i = 0; i < 4; ++i) {
        const int x = DecimalOrMinusOne(fieldsA[i]);
        const int y = DecimalOrMinusOne(fieldsB[i]);
        if (x == -1 || y == -1) return ByteCompare(a, b);
        if (x != y) return x > y ? 1 : -1;
    }
    return 0;
}

TInfoDate ParseInfoDate(const std::string& text, TInfoDate today) {
    const auto slash1 = text.find('/');
    if (slash1 == std::string::npos) return today;
    const auto slash2 = text.find('/', slash1 + 1);
    if (slash2 == std::string::npos) return today;
    const TInfoDate date{DecimalOrMinusOne(text.substr(slash2 + 1)), DecimalOrMinusOne(text.substr(0, slash1)),
                         DecimalOrMinusOne(text.substr(slash1 + 1, slash2 - slash1 - 1))};
    if (date.Year < 1 || date.Year > 9999 || date.Month < 1 || date.Month > 12 || date.Day < 1 ||
        date.Day > DaysInMonth(date.Year, date.Month))
        return today;
    return date;
}

bool IsNewerVersion(const std::string& infoText, const TVersionCheck& check, TInfoDate today) {
    if (check.VersionControl == byNumber)
        return CompareVersions(InfoValue(infoText, "version"), check.VersionNumber) > 0;
    return ParseInfoDate(check.VersionDate, today) < ParseInfoDate(InfoValue(infoText, "date"), today);
}

std::optional<TUpdateOffer> ReadUpdateOffer(const std::string& infoText, const TVersionCheck& check,
                                            TInfoDate today) {
    TUpdateOffer offer{InfoFileList(infoText), InfoValue(infoText, "message", true), InfoUpgradeMethod(infoText)};
    if (offer.Files.empty() || !IsNewerVersion(infoText, check, today)) return std::nullopt;
    return offer;
}

std::optional<std::string> RedirectAddress(const std::string& url) {
    const std::string address = WithSchemePrefix(url);
    // The address goes to the browser as one quoted argument: nothing may end the quotes or the line.
    const bool unsafe = std::any_of(address.begin(), address.end(), [](char c) {
        return c == '"' || static_cast<unsigned char>(c) < 32 || c == '\x7F';
    });
    if (unsafe) return std::nullopt;
    const std::string lower = LowerText(address);
    if (lower.starts_with("http://") || lower.starts_with("https://")) return address;
    return std::nullopt;
}

}  // namespace wmb
