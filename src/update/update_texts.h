#pragma once
// The update checker's and download wizard's English texts by number, and the texts and figures made
// from them.

#include <cstddef>
#include <cstdint>
#include <string>

namespace wmb {

inline constexpr int kUpdateTextCount = 31;

// Text `number` (0-30) of the English table, "\r" and "\n" being the control characters. 11-13 and 29
// belong to the password dialog of protected downloads, which this program never shows: they are empty.
const char* UpdateText(int number);

// The executable's file name without its extension: the title used in texts 10 and 23 and as a caption.
std::string ApplicationTitle(const std::string& exePath);

// Text 23 for the offer dialog: the message set off by line breaks when there is one.
std::string AskUpgradeText(const std::string& title, const std::string& upgradeMsg);
// Text 26 for an unreachable host: "Host http://HOST' unreachable." ...
std::string HostUnreachableText(const std::string& hostName);
// Text 28 with the file name of the address that could not be fetched.
std::string LostFileText(const std::string& url);
// The status of a download whose SHA-256 is not the one listed.
inline constexpr const char* kChecksumMismatch = "checksum mismatch";
// Text 21 + " #" + the status ("Error #404", "Error #checksum mismatch").
std::string LostFileCaption(const std::string& status);
// Text 10 for the completion page.
std::string CompletedText(const std::string& title);

// The wizard's figures: text 9 for file `index` (from 0) of `count`, text 6 with the size in KB, text 7
// with the rate, text 8 with the seconds left as hours:minutes:seconds.
std::string DownloadingText(std::size_t index, std::size_t count);
std::string FileSizeText(std::uint32_t contentLength);
std::string TransferRateText(double kbPerSecond);
std::string EstimatedTimeText(std::uint32_t secondsLeft);
// Percent of all files: the share of the files before `index` (rounded, halves up) plus this file's percent
// divided by the count.
int TotalPercent(std::size_t index, std::size_t count, int filePercent);

}  // namespace wmb
