#include "update/update_texts.h"

#include <cstdarg>
#include <cstdio>

#include "update/upgrade_paths.h"

namespace wmb {
namespace {

const char* const kEnglish[kUpdateTextCount] = {
    "Application update wizard",
    "Downloading files...",
    "Download completed!",
    "Current file",
    "All files",
    "Downloading file from",
    "File size: %.1f Kb",
    "Transfer rate: %.1f Kb/s",
    "Estimated time left: %d:%.2d:%.2d",
    "Downloading %d of %d",
    "The files of the update of %s are downloaded and verified.\r\rPress the OK button to restart the program and install them.",
    "",
    "",
    "",
    "&Yes",
    "&No",
    "&OK",
    "&Cancel",
    "&Next >",
    "&Later",
    "Warning",
    "Error",
    "Preparing. . .",
    "A newer version of %s was released.\n%s\nDo you want to update your version with the latest one?",
    "Newer version not found. You actually are\rusing most recent version of this program.",
    "File which contains upgrade information was not found on developer's site.",
    "Host %s unreachable.\r\rPlease check your Internet connection and\rtry to upgrade this software again later.",
    "The update is not completed.\rWould you like to abort upgrading?",
    "File %s not found or inaccessible.\r\rSkip this file (it will not be installed) and continue upgrade?",
    "",
    "Connection with remote server lost.\r\rPlease restore connection and try to\rupgrade this software again later.",
};

// printf-style formatting of a text of the table.
std::string Format(int number, ...) {
    std::va_list args, copy;
    va_start(args, number);
    va_copy(copy, args);
    const int size = std::vsnprintf(nullptr, 0, kEnglish[number], copy);
    va_end(copy);
    std::string text(static_cast<std::size_t>(size > 0 ? size : 0) + 1, '\0');
    std::vsnprintf(text.data(), text.size(), kEnglish[number], args);
    va_end(args);
    text.pop_back();
    return text;
}

}  // namespace

const char* UpdateText(int number) { return number >= 0 && number < kUpdateTextCount ? kEnglish[number] : ""; }

std::string ApplicationTitle(const std::string& exePath) {
    const auto slash = exePath.find_last_of("\\/:");
    std::string name = slash == std::string::npos ? exePath : exePath.substr(slash + 1);
    const auto dot = name.rfind('.');
    if (dot != std::string::npos) name.erase(dot);
    return name;
}

std::string AskUpgradeText(const std::string& title, const std::string& upgradeMsg) {
    const std::string m = upgradeMsg.empty() ? "" : "\n" + upgradeMsg + "\n";
    return Format(23, title.c_str(), m.c_str());
}

std::string HostUnreachableText(const std::string& hostName) {
    return Format(26, ("http://" + hostName + "'").c_str());
}

std::string LostFileText(const std::string& url, const std::string& error) {
    static constexpr struct {
        const char* error;
        const char* first;  // the first sentence, with the file name
    } kReasons[] = {
        {kChecksumMismatch, "File %s does not match the checksum in the update information."},
        {kNoChecksum, "File %s has no checksum in the update information."},
        {kInvalidFileName, "File %s cannot be stored under that name."},
        {kInvalidAddress, "File %s is not offered over http or https."},
        {kCannotWrite, "File %s could not be written to the program's folder."},
        {kTooManyRedirects, "File %s could not be fetched: too many redirects."},
    };
    const std::string name = UrlFileName(url);
    std::string text = Format(28, name.c_str());
    const std::string rest = text.substr(text.find("\r\r"));
    if (name.empty()) return "The address " + url + " names no file." + rest;
    for (const auto& reason : kReasons) {
        if (error != reason.error) continue;
        text.assign(reason.first);
        return text.replace(text.find("%s"), 2, name) + rest;
    }
    return text;
}

std::string UpgradeFailedText(const std::string& title, const TUpgradeFailure& failure) {
    std::string why;
    if (failure.Reason == TUpgradeFailure::Replace) {
        why = (failure.FileName.empty() ? std::string("A file") : failure.FileName) +
              " could not be replaced; another program may be using it.";
    } else {
        why = "The downloaded files were incomplete or had changed" +
              (failure.FileName.empty() ? std::string() : " (" + failure.FileName + ")") + ".";
    }
    return "The update was not installed. " + why + "\r\r" + title + " is unchanged.";
}

std::string LostFileCaption(const std::string& status) { return std::string(UpdateText(21)) + " #" + status; }

std::string CompletedText(const std::string& title) { return Format(10, title.c_str()); }

std::string DownloadingText(std::size_t index, std::size_t count) {
    return Format(9, static_cast<int>(index + 1), static_cast<int>(count));
}

std::string FileSizeText(std::uint32_t contentLength) { return Format(6, contentLength / 1024.0); }

std::string TransferRateText(double kbPerSecond) { return Format(7, kbPerSecond); }

std::string EstimatedTimeText(std::uint32_t secondsLeft) {
    return Format(8, static_cast<int>(secondsLeft / 3600), static_cast<int>(secondsLeft / 60 % 60),
                  static_cast<int>(secondsLeft % 60));
}

int TotalPercent(std::size_t index, std::size_t count, int filePercent) {
    if (count == 0) return 0;
    const auto before = (index * 200 + count) / (2 * count);
    return static_cast<int>(before) + filePercent / static_cast<int>(count);
}

}  // namespace wmb
