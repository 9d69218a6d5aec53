#include "update/upgrade_paths.h"

#include <algorithm>
#include <string_view>

#include "base/case_tables.h"
#include "base/text.h"
#include "net/http_url.h"

namespace wmb {
namespace {

// Windows takes the part before the first dot, without its trailing blanks, for a device: "nul .dat",
// "lpt1.txt.bak" and "COM\xB9" (superscript one) all name devices.
bool IsDeviceName(const std::string& name) {
    std::string base = LowerText(name.substr(0, name.find('.')));
    while (!base.empty() && base.back() == ' ') base.pop_back();
    for (const char* device : {"con", "prn", "aux", "nul", "conin$", "conout$", "clock$"})
        if (base == device) return true;
    if (base.size() != 4 || !(base.starts_with("com") || base.starts_with("lpt"))) return false;
    const char digit = base[3];
    return (digit >= '0' && digit <= '9') || digit == '\xB9' || digit == '\xB2' || digit == '\xB3';
}

}  // namespace

std::string UrlFileName(const std::string& url) {
    const auto scheme = url.find("://");
    if (scheme != std::string::npos && url.find('/', scheme + 3) == std::string::npos) return "";
    const auto last = url.find_last_of("/\\:");
    return last == std::string::npos ? url : url.substr(last + 1);
}

bool IsPlainFileName(const std::string& name) {
    if (name.empty() || name.size() > kMaxDownloadNameLength || name.back() == '.' || name.back() == ' ' ||
        IsDeviceName(name))
        return false;
    return std::none_of(name.begin(), name.end(), [](char c) {
        return static_cast<unsigned char>(c) < 32 || std::string_view("<>:\"/\\|?*").find(c) != std::string_view::npos;
    });
}

std::optional<std::string> TargetPath(const std::string& programFolder, const std::string& url) {
    const std::string name = UrlFileName(url);
    if (!IsPlainFileName(name)) return std::nullopt;
    return programFolder + name + kTempFileSuffix;
}

bool IsDownloadAddress(const std::string& url) {
    const std::string lower = LowerText(WithSchemePrefix(url));
    return lower.starts_with("http://") || lower.starts_with("https://");
}

std::string RestartParam(const std::string& restartParams, TudUpgradeMethod method) {
    return (restartParams.empty() ? std::string(" ") : restartParams) + static_cast<char>('0' + method);
}

std::string UpgraderCommandLine(const std::string& upgraderPath, const std::string& programPath,
                                const std::string& restartParam) {
    return Quoted(upgraderPath) + " " + Quoted(programPath) + " +" + restartParam;
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
    return Quoted(programPath) + " " + restartParam;
}

std::string UpgradeFailedCommandLine(const std::string& programPath, const TUpgradeFailure& failure) {
    std::string line = Quoted(programPath) + " " + kUpgradeFailedParam +
                       (failure.Reason == TUpgradeFailure::Replace ? "replace" : "verify");
    if (IsPlainFileName(failure.FileName)) line += " " + Quoted(failure.FileName);
    return line;
}

std::optional<TUpgradeFailure> ParseUpgradeFailure(const std::vector<std::string>& arguments) {
    if (arguments.empty() || !arguments[0].starts_with(kUpgradeFailedParam)) return std::nullopt;
    const std::string reason = arguments[0].substr(std::char_traits<char>::length(kUpgradeFailedParam));
    TUpgradeFailure failure;
    if (reason == "replace") {
        failure.Reason = TUpgradeFailure::Replace;
    } else if (reason != "verify") {
        return std::nullopt;
    }
    if (arguments.size() > 1 && IsPlainFileName(arguments[1])) failure.FileName = arguments[1];
    return failure;
}

}  // namespace wmb
