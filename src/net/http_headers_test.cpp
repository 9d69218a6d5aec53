#include "net/http_headers.h"

#include <gtest/gtest.h>

#include "base/date_time.h"

namespace wmb {

TEST(HttpHeaders, DatesInTheirThreeForms) {
    const TDateTime nov6 = EncodeDateTime(1994, 11, 6, 8, 49, 37, 0);
    const struct {
        const char* text;
        TDateTime date;
    } cases[] = {
        {"Sun, 06 Nov 1994 08:49:37 GMT", nov6},
        {"Sunday, 06-Nov-94 08:49:37 GMT", nov6},
        {"Sun Nov  6 08:49:37 1994", nov6},
        {"sun, 6 nov 1994 08:49:37 utc", nov6},
        {"Wed, 09 Dec 2026 16:09:20 GMT", EncodeDateTime(2026, 12, 9, 16, 9, 20, 0)},
        {"Thursday, 01-Jan-26 00:00:00 GMT", EncodeDateTime(2026, 1, 1, 0, 0, 0, 0)},
        {"Tue, 29 Feb 2028 23:59:60 GMT", EncodeDateTime(2028, 2, 29, 23, 59, 59, 0)},
        {"", 0},
        {"0", 0},
        {"Sun, 06 Nov 1994 GMT", 0},
        {"Sun, 31 Nov 1994 08:49:37 GMT", 0},
        {"Thu, 29 Feb 2027 08:49:37 GMT", 0},
        {"Sun, 06 Nov 1994 24:00:00 GMT", 0},
        {"Sun, 06 Xyz 1994 08:49:37 GMT", 0},
        {"Sun, 06 Nov 1994 08:49:37 CET", 0},
        {"Sun, 06 Nov 1994 08:49:37 12 GMT", 0},
        {"Sun, 06 Nov 199 08:49:37 GMT", 0},
        {"Sun, 06 Nov 1994 08:49 GMT", 0},
    };
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(ParseHttpDate(c.text), c.date) << c.text;
}

TEST(HttpHeaders, StatusCodeAndLength) {
    EXPECT_EQ(ParseStatusCode("200"), 200);
    EXPECT_EQ(ParseStatusCode("416"), 416);
    for (const char* bad : {"", "20", "2000", "abc", "-1"}) EXPECT_EQ(ParseStatusCode(bad), -1) << bad;
    EXPECT_EQ(ParseContentLength("52428800"), 52428800u);
    EXPECT_EQ(ParseContentLength("3000000000"), 3000000000u);
    for (const char* bad : {"", "4294967296", "12a", "-5", " 5"}) EXPECT_EQ(ParseContentLength(bad), 0u) << bad;
}

TEST(HttpHeaders, RealmOfAnAuthenticateHeader) {
    EXPECT_EQ(RealmOf("Basic realm=\"Wildmere updates\""), "Wildmere updates");
    EXPECT_EQ(RealmOf("Digest realm=\"wmb\", nonce=\"abc\""), "wmb");
    EXPECT_EQ(RealmOf("Basic realm=\"open"), "open");
    EXPECT_EQ(RealmOf("Basic"), "");
}

}  // namespace wmb
