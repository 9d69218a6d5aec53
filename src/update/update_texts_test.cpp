#include "update/update_texts.h"

#include <gtest/gtest.h>

namespace wmb {
namespace {

TEST(UpdateTexts, TableWithControlCharacters) {
    EXPECT_STREQ(UpdateText(0), "Application update wizard");
    EXPECT_STREQ(UpdateText(19), "&Later");
    EXPECT_STREQ(UpdateText(24),
                 "Newer version not found. You actually are\rusing most recent version of this program.");
    EXPECT_STREQ(UpdateText(30), "Connection with remote server lost.\r\rPlease restore connection and try to\r"
                                 "upgrade this software again later.");
    for (int unused : {11, 12, 13, 29}) EXPECT_STREQ(UpdateText(unused), "");
}

TEST(UpdateTexts, WizardFigures) {
    EXPECT_EQ(DownloadingText(0, 3), "Downloading 1 of 3");
    EXPECT_EQ(DownloadingText(2, 3), "Downloading 3 of 3");
    EXPECT_EQ(TransferRateText(12.34), "Transfer rate: 12.3 Kb/s");
    EXPECT_EQ(EstimatedTimeText(3725), "Estimated time left: 1:02:05");
    EXPECT_EQ(EstimatedTimeText(59), "Estimated time left: 0:00:59");
    EXPECT_EQ(FileSizeText(1536), "File size: 1.5 Kb");
    EXPECT_EQ(TotalPercent(1, 3, 50), 49);  // 33 + 16
    EXPECT_EQ(TotalPercent(2, 3, 100), 100);  // 67 + 33
    EXPECT_EQ(TotalPercent(0, 1, 73), 73);
}

TEST(UpdateTexts, MessagesWithTitleHostAndFile) {
    const std::string title = ApplicationTitle("C:\\Program Files\\Kestrane\\WildmereBench.exe");
    EXPECT_EQ(title, "WildmereBench");
    EXPECT_EQ(AskUpgradeText(title, "New demos"),
              "A newer version of WildmereBench was released.\n\nNew demos\n\n"
              "Do you want to update your version with the latest one?");
    EXPECT_EQ(AskUpgradeText(title, ""),
              "A newer version of WildmereBench was released.\n\n"
              "Do you want to update your version with the latest one?");
    EXPECT_EQ(HostUnreachableText("www.kestrane.com"),
              "Host http://www.kestrane.com' unreachable.\r\rPlease check your Internet connection and\r"
              "try to upgrade this software again later.");
    EXPECT_EQ(LostFileCaption("404"), "Error #404");
    EXPECT_EQ(LostFileCaption(kChecksumMismatch), "Error #checksum mismatch");
    EXPECT_EQ(CompletedText(title), "The files of the update of WildmereBench are downloaded and verified.\r\r"
                                    "Press the OK button to restart the program and install them.");
}

TEST(UpdateTexts, TheLostFileQuestionSaysWhyAndThatASkippedFileIsNotInstalled) {
    const std::string skip = "\r\rSkip this file (it will not be installed) and continue upgrade?";
    const struct {
        const char* url;
        const char* error;
        std::string text;
    } cases[] = {
        {"http://h/setup/new.exe", "404", "File new.exe not found or inaccessible." + skip},
        {"http://h/a.exe", kChecksumMismatch, "File a.exe does not match the checksum in the update information." + skip},
        {"http://h/a.exe", kNoChecksum, "File a.exe has no checksum in the update information." + skip},
        {"http://h/nul .dat", kInvalidFileName, "File nul .dat cannot be stored under that name." + skip},
        {"file:///C:/a.exe", kInvalidAddress, "File a.exe is not offered over http or https." + skip},
        {"http://h/a.exe", kCannotWrite, "File a.exe could not be written to the program's folder." + skip},
        {"http://h/a.exe", kTooManyRedirects, "File a.exe could not be fetched: too many redirects." + skip},
        {"http://h/%s%n.exe", "404", "File %s%n.exe not found or inaccessible." + skip},
        {"http://h", kInvalidFileName, "The address http://h names no file." + skip},
        {"http://h/dir/", kInvalidFileName, "The address http://h/dir/ names no file." + skip},
    };
    for (const auto& c : cases) EXPECT_EQ(LostFileText(c.url, c.error), c.text) << c.url << " " << c.error;
}

TEST(UpdateTexts, AFailedInstallationNamesTheFileAndSaysTheProgramIsUnchanged) {
    EXPECT_EQ(UpgradeFailedText("WildmereBench", {TUpgradeFailure::Replace, "help.chm"}),
              "The update was not installed. help.chm could not be replaced; another program may be using it.\r\r"
              "WildmereBench is unchanged.");
    EXPECT_EQ(UpgradeFailedText("WildmereBench", {TUpgradeFailure::Verify, "a.dll"}),
              "The update was not installed. The downloaded files were incomplete or had changed (a.dll).\r\r"
              "WildmereBench is unchanged.");
    EXPECT_EQ(UpgradeFailedText("WildmereBench", {TUpgradeFailure::Verify, ""}),
              "The update was not installed. The downloaded files were incomplete or had changed.\r\r"
              "WildmereBench is unchanged.");
}

}  // namespace
}  // namespace wmb
