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
    EXPECT_EQ(LostFileText("http://h/setup/new.exe"),
              "File new.exe not found or inaccessible.\r\rTry to skip this file and continue upgrade?");
    EXPECT_EQ(LostFileCaption("404"), "Error #404");
    EXPECT_EQ(LostFileCaption(kChecksumMismatch), "Error #checksum mismatch");
    EXPECT_EQ(CompletedText(title), "The update of WildmereBench has been successfully completed.\r\r"
                                    "Press the OK button to restart program.");
}

}  // namespace
}  // namespace wmb
