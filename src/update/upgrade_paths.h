#pragma once
// Where downloaded files wait for the upgrader (".uTMP" beside the executable), the upgrader's command
// line and the program's command line when the upgrader starts it again.

#include <optional>
#include <string>
#include <vector>

#include "update/update_info.h"

namespace wmb {

inline constexpr const char* kTempFileSuffix = ".uTMP";
inline constexpr const char* kDefaultRestartParams = "/afterupgrade";

// The file name of an address: what follows its last "/", "\" or ":" (a query included); empty
// when the address has no path after its host ("http://host").
std::string UrlFileName(const std::string& url);

// The longest name a download may have: with ".uTMP" it still fits a file name of 255 characters.
inline constexpr std::size_t kMaxDownloadNameLength = 250;

// A name that Windows stores as a plain file of the folder, under that very name: not empty, at most
// kMaxDownloadNameLength characters, no path, drive, stream or wildcard characters and no control characters,
// no trailing dot or blank (Windows would drop them and name another file), and no device name, whatever
// follows it ("con", "lpt1.txt", "nul .dat", "aux.a.b").
bool IsPlainFileName(const std::string& name);

// Whether an update file may be fetched from this address: http or https only ("http://" is put in front of
// an address without a scheme).
bool IsDownloadAddress(const std::string& url);

// programFolder + file name + ".uTMP"; nothing (a lost file) when the name is not a plain file name.
// `programFolder` ends in a backslash.
std::optional<std::string> TargetPath(const std::string& programFolder, const std::string& url);

// RestartParams (an empty value is " ") followed by the method's digit: "/afterupgrade0".
std::string RestartParam(const std::string& restartParams, TudUpgradeMethod method);

// "UPGRADER" "PROGRAM" +PARAM: both paths quoted, since the temporary folder and Program Files hold blanks.
std::string UpgraderCommandLine(const std::string& upgraderPath, const std::string& programPath,
                                const std::string& restartParam);

// What the upgrader reads from its command line.
struct TUpgraderArgs {
    std::string ProgramPath;
    std::string RestartParam;  // everything after the "+"
    TudUpgradeMethod Method = umSelfUpgrade;  // its last character: "0" or "1"
};
// The upgrader's whole command line, its own path first (quoted or not); the program path quoted or up to
// " +". Nothing when the program path or the parameter is missing or the method digit is not 0 or 1.
std::optional<TUpgraderArgs> ParseUpgraderCommandLine(const std::string& commandLine);

// "PROGRAM" PARAM: how the upgrader starts the program again.
std::string RestartCommandLine(const std::string& programPath, const std::string& restartParam);

// An update that was not installed, as the upgrader tells the program it starts again: the program is
// unchanged, and either a file could not be replaced or the downloaded files did not match their record.
struct TUpgradeFailure {
    enum TReason { Verify, Replace } Reason = Verify;
    std::string FileName;  // the file concerned; empty when none is known
    bool operator==(const TUpgradeFailure&) const = default;
};
inline constexpr const char* kUpgradeFailedParam = "/upgradefailed:";

// "PROGRAM" /upgradefailed:replace "NAME" (or :verify; the name only when it is a plain file name).
std::string UpgradeFailedCommandLine(const std::string& programPath, const TUpgradeFailure& failure);
// The failure named by the program's arguments (its own path left out); nothing for any other start.
std::optional<TUpgradeFailure> ParseUpgradeFailure(const std::vector<std::string>& arguments);

}  // namespace wmb
