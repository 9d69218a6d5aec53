#pragma once
// The update checker's and download wizard's English texts by number, and the texts and figures made
// from them.

#include <cstddef>
#include <cstdint>
#include <string>

#include "update/upgrade_paths.h"

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
// Why a file is lost, besides an HTTP status ("404"): each has its own first sentence of the question.
inline constexpr const char* kChecksumMismatch = "checksum mismatch";  // SHA-256 not the one listed
inline constexpr const char* kNoChecksum = "no checksum";              // a file listed without SHA-256
inline constexpr const char* kInvalidFileName = "invalid file name";   // Windows would not store it as named
inline constexpr const char* kInvalidAddress = "invalid address";      // neither http nor https
inline constexpr const char* kCannotWrite = "cannot write file";       // the download could not be written
inline constexpr const char* kTooManyRedirects = "too many redirects";
// The lost-file question: text 28 with the file name of the address, its first sentence saying why the
// file is lost; an address without a file name says so.
std::string LostFileText(const std::string& url, const std::string& error);
// Text 21 + " #" + the status ("Error #404", "Error #checksum mismatch").
std::string LostFileCaption(const std::string& status);
// What the program says at its start after the upgrader could not install an update.
std::string UpgradeFailedText(const std::string& title, const TUpgradeFailure& failure);
// The check's message when the information file's signature is missing or does not verify.
inline constexpr const char* kInfoNotVerified = "The update information could not be verified.";
// The check's message when the information file's address led through too many redirects.
inline constexpr const char* kInfoTooManyRedirects = "The update information could not be fetched: too many redirects.";
// The web-page method's message when the address is not one to hand to the browser.
inline constexpr const char* kInvalidWebPageAddress = "The address of the update's web page is not valid.";
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
