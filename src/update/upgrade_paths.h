#pragma once
// Where downloaded files wait for the upgrader (".uTMP" beside the executable), the upgrader's command
// line and the program's command line when the upgrader starts it again.

#include <optional>
#include <string>

#include "update/update_info.h"

namespace wmb {

inline constexpr const char* kTempFileSuffix = ".uTMP";
inline constexpr const char* kDefaultRestartParams = "/afterupgrade";

// The file name of an address: what follows its last "/", "\" or ":" (a query included); empty
// when the address has no path after its host ("http://host").
std::string UrlFileName(const std::string& url);

// A name that stays a file of its own folder: not empty, no path, drive or wildcard characters, no trailing
// dot or blank (Windows would drop them and name another file), no device name such as "con" or "lpt1.txt".
bool IsPlainFileName(const std::string& name);

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

}  // namespace wmb
