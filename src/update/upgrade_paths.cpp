#include "update/upgrade_paths.h"

#include <algorithm>
#include <string_view>

#include "demos/filefinder/case_tables.h"

namespace wmb {
namespace {

bool IsDeviceName(std::string name) {
    name = LowerText(name.substr(0, name.find('.')));
    if (name == "con" || name == "prn" || name == "aux" || name == "nul") return true;
    return name.size() == 4 && (name.starts_with("com") || name.starts_with("lpt")) && name[3] >= '1' &&
           name[3] <= '9';
}

}  // namespace

std::string UrlFileName(const std::string& url) {
    const auto scheme = url.find("://");
    if (scheme != std::string::npos && url.find('/', scheme + 3) == std::string::npos) return "";
    const auto last = url.find_last_of("/\\:");
    return last == std::string::npos ? url : url.substr(last + 1);
}

bool IsPlainFileName(const std::string& name) {
    if (name.empty() || name.back() == '.' || name.back() == ' ' || IsDeviceName(name)) return false;
    return std::none_of(name.begin(), name.end(), [](char c) {
        return static_cast<unsigned char>(c) < 32 || std::string_view("<>:\"/\\|?*").find(c) != std::string_view::npos;
    });
}

std::optional<std::string> TargetPath(const std::string& programFolder, const std::string& url) {
    const std::string name = UrlFileName(url);
    if (!IsPlainFileName(name)) return std::nullopt;
    return programFolder + name + kTempFileSuffix;
}

std::string RestartParam(const std::string& restartParams, TudUpgradeMethod method) {
    return (restartParams.empty() ? std::string(" ") : restartParams) + static_cast<char>('0' + method);
}

std::string UpgraderCommandLine(const std::string& upgraderPath, const std::string& programPath,
                                const std::string& restartParam) {
    return "\"" + upgraderPath + "\" \"" + programPath + "\" +" + restartParam;
}

std::optional<TUpgraderArgs> ParseUpgraderCommandLine(const std::string& commandLine) {
    std::size_t at = 0;
    if (commandLine.starts_with("\"")) {
        at = commandLine.find('"', 1);
        if (at == std::string::npos) return std::nullopt;
        ++at;
    } else {
        at = std::min(commandLine.find(' '), commandLine.size());
    }
    at = std::min(commandLine.find_first_not_of(' ', at), commandLine.size());
    TUpgraderArgs args;
    std::size_t plus;
    if (commandLine.compare(at, 1, "\"") == 0) {
        const auto close = commandLine.find('"', at + 1);
        if (close == std::string::npos) return std::nullopt;
        args.ProgramPath = commandLine.substr(at + 1, close - at - 1);
        plus = commandLine.find_first_not_of(' ', close + 1);
        if (plus == std::string::npos || commandLine[plus] != '+') return std::nullopt;
    } else {
        const auto blankPlus = commandLine.find(" +", at);
        if (blankPlus == std::string::npos) return std::nullopt;
        args.ProgramPath = commandLine.substr(at, blankPlus - at);
        plus = blankPlus + 1;
    }
    args.RestartParam = commandLine.substr(plus + 1);
    if (args.ProgramPath.empty() || args.RestartParam.empty()) return std::nullopt;
    const char digit = args.RestartParam.back();
    if (digit != '0' && digit != '1') return std::nullopt;
    args.Method = static_cast<TudUpgradeMethod>(digit - '0');
    return args;
}

std::string RestartCommandLine(const std::string& programPath, const std::string& restartParam) {
    return "\"" + programPath + "\" " + restartParam;
}

}  // namespace wmb
