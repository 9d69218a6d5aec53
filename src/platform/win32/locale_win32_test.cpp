#include "platform/win32/locale_win32.h"

#include <gtest/gtest.h>

namespace wmb {
namespace {

TEST(Win32Locale, DecimalSeparatorIsTheOneNumbersAreFormattedWith) {
    char formatted[32] = {};
    ASSERT_GT(GetNumberFormatA(LOCALE_USER_DEFAULT, 0, "1.5", nullptr, formatted, sizeof formatted), 0);
    EXPECT_EQ(Win32Locale().DecimalSeparator(), formatted[1]) << formatted;
}

TEST(Win32Locale, ShortDateThenLongTime) {
    SYSTEMTIME time{};
    time.wYear = 2007;
    time.wMonth = 4;
    time.wDay = 5;
    time.wHour = 15;
    time.wMinute = 4;
    time.wSecond = 9;
    const std::string text = Win32Locale::FormatDateTime(time);
    if (GetUserDefaultLCID() == 0x0409) {
        EXPECT_EQ(text, "4/5/2007 3:04:09 PM");
    } else {
        EXPECT_NE(text.find("2007"), std::string::npos) << text;
        EXPECT_NE(text.find("04"), std::string::npos) << text;
        EXPECT_NE(text.find("09"), std::string::npos) << text;
    }
}

TEST(Win32Locale, NowIsTodayInLocalTime) {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    const std::string text = Win32Locale().NowAsText();
    EXPECT_NE(text.find(std::to_string(now.wYear)), std::string::npos) << text;
    EXPECT_NE(text.find(' '), std::string::npos) << text;
}

}  // namespace
}  // namespace wmb
