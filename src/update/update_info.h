#pragma once
// The update server's information file: "#" + key + "=" + value entries anywhere in plain 8-bit text,
// the list of files to download with their optional SHA-256 digests, and the version and date rules that
// decide whether the release it announces is newer than this program.

#include <compare>
#include <optional>
#include <string>
#include <vector>

namespace wmb {

enum TudVersionControl { byDate, byNumber };
enum TudUpgradeMethod { umSelfUpgrade = 0, umUseExternalSetup = 1, umRedirectToURL = 2 };

// The value of "#" + key + "=" (braced: "#" + key + "={"), the key matched in lower case anywhere in the
// text. The value keeps its letter case and runs up to the first character below code 32; a braced value
// runs up to the first "}" (line breaks included) or the end of the text. Empty when the key is missing.
std::string InfoValue(const std::string& infoText, const std::string& key, bool braced = false);

// One file to download: its address and the lower-case hex SHA-256 it must have ("" = not checked).
struct TInfoFile {
    std::string Url;
    std::string Sha256;
    // Whether a download with this digest (lower-case hex) is the file listed; any is without a digest.
    bool Accepts(const std::string& sha256Hex) const { return Sha256.empty() || Sha256 == sha256Hex; }
};

// The files in download order: "url", then "url0" (each when not empty), then "url" + (N + 1),
// "url" + (N + 2) ... up to the first empty value, N being the number taken before. Each file's digest is
// the value of "sha256" + the same suffix ("sha256", "sha2560", "sha256N").
std::vector<TInfoFile> InfoFileList(const std::string& infoText);

// "method": "1" external setup, "2" web page, anything else self upgrade (the first character counts).
TudUpgradeMethod InfoUpgradeMethod(const std::string& infoText);

// Dotted versions, four fields each (missing fields are "0"): positive when A is newer, negative when older.
// When a field of either is not a decimal number the whole texts are compared byte by byte instead.
int CompareVersions(const std::string& a, const std::string& b);

struct TInfoDate {
    int Year = 0;
    int Month = 0;
    int Day = 0;
    auto operator<=>(const TInfoDate&) const = default;
};

// month/day/year; `today` when a field is missing, not a number or the date does not exist.
TInfoDate ParseInfoDate(const std::string& text, TInfoDate today);

// How the check decides: by number, the info file's "version" against `versionNumber`; by date, the
// info file's "date" later than `versionDate` (both month/day/year).
struct TVersionCheck {
    TudVersionControl VersionControl = byDate;
    std::string VersionNumber;
    std::string VersionDate;
};
bool IsNewerVersion(const std::string& infoText, const TVersionCheck& check, TInfoDate today);

// What the information file offers: nothing unless its release is newer and it lists at least one file.
struct TUpdateOffer {
    std::vector<TInfoFile> Files;
    std::string UpgradeMsg;  // the braced "message"
    TudUpgradeMethod UpgradeMethod = umSelfUpgrade;
};
std::optional<TUpdateOffer> ReadUpdateOffer(const std::string& infoText, const TVersionCheck& check,
                                            TInfoDate today);

// The address the web-page method opens: "http://" in front when it has no "://"; nothing unless the
// scheme is http or https, and nothing when it holds a double quote or a control character.
std::optional<std::string> RedirectAddress(const std::string& url);

}  // namespace wmb
