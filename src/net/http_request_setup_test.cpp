#include "net/http_request_setup.h"

#include <gtest/gtest.h>

namespace wmb {

TEST(HttpRequestSetup, OpenRequestFlagsAddUpPerOption) {
    const struct {
        TudCacheOptions cache;
        TudInternetOptions internet;
        bool https;
        std::uint32_t flags;
    } cases[] = {
        {TudHTTPSettings{}.CacheOptions, TudHTTPSettings{}.InternetOptions, false, 0x400C10},  // the defaults
        {TudHTTPSettings{}.CacheOptions, TudHTTPSettings{}.InternetOptions, true, 0xC00C10},
        {coAlwaysReload, 0, false, 0x80000000},
        {coPragmaNoCache | coNoCacheWrite | coUseCacheIfNetFail, 0, false, 0x4010100},
        {0, ioIgnoreCertificateInvalid | ioIgnoreCertificateDateInvalid, false, 0x3000},
        {0, ioIgnoreRedirectToHTTP | ioIgnoreRedirectToHTTPS, false, 0xC000},
        {0, ioNoAuthentication | ioNoAutoRedirect | ioNoCookies, false, 0x2C0000},
        {0, 0, false, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(OpenRequestFlags(c.cache, c.internet, c.https), c.flags) << std::hex << c.flags;
}

TEST(HttpRequestSetup, AccessTypeAndProxyText) {
    TudHTTPProxy proxy;
    auto args = InternetOpenArgs("agent", proxy, false);
    EXPECT_EQ(args.Agent, "agent");
    EXPECT_EQ(args.AccessType, 0u);
    EXPECT_EQ(args.ProxyName, "");
    EXPECT_EQ(args.ProxyBypass, "");
    EXPECT_EQ(args.Flags, 0u);
    proxy.AccessType = TudAccessType::atDirect;
    EXPECT_EQ(InternetOpenArgs("a", proxy, true).AccessType, 1u);
    EXPECT_EQ(InternetOpenArgs("a", proxy, true).Flags, 0x1000000u);
    proxy.AccessType = TudAccessType::atUseProxy;
    proxy.ProxyServer = "proxy.lan";
    args = InternetOpenArgs("a", proxy, false);
    EXPECT_EQ(args.AccessType, 3u);
    EXPECT_EQ(args.ProxyName, "proxy.lan:8080");
    EXPECT_EQ(args.ProxyBypass, "127.0.0.1;");
}

TEST(HttpRequestSetup, OnlyTimeoutsThatAreSetBecomeOptions) {
    EXPECT_TRUE(TimeoutOptions({}).empty());
    EXPECT_EQ(TimeoutOptions({1000, 2000, 3000}), (std::vector<TRequestOption>{{2, 1000}, {6, 2000}, {5, 3000}}));
    EXPECT_EQ(TimeoutOptions({0, 0, 3000}), (std::vector<TRequestOption>{{5, 3000}}));
}

TEST(HttpRequestSetup, VerbHeadersAndRangeLine) {
    EXPECT_STREQ(RequestVerb("", false), "GET");
    EXPECT_STREQ(RequestVerb("a=1", false), "POST");
    EXPECT_STREQ(RequestVerb("", true), "POST");
    EXPECT_EQ(RangeHeaderLine(1000, 0), "RANGE: bytes=1000-\r\n");
    EXPECT_EQ(RangeHeaderLine(0, 0), "RANGE: bytes=0-\r\n");
    EXPECT_EQ(RangeHeaderLine(100, 199), "RANGE: bytes=100-199\r\n");
    EXPECT_EQ(RequestHeaderText({}, ""), "");
    EXPECT_EQ(RequestHeaderText({"X-A: 1", "X-B: 2"}, ""), "X-A: 1\r\nX-B: 2\r\n");
    EXPECT_EQ(RequestHeaderText({"X-A: 1"}, RangeHeaderLine(5, 0)), "X-A: 1\r\nRANGE: bytes=5-\r\n");
    EXPECT_TRUE(ResumedFileComplete(5000, 5000));
    EXPECT_FALSE(ResumedFileComplete(6000, 5000));
}

TEST(HttpRequestSetup, StatusNotificationTexts) {
    EXPECT_STREQ(StatusText(10), "Resolving name");
    EXPECT_STREQ(StatusText(42), "CTL Response received");
    EXPECT_STREQ(StatusText(110), "Redirect");
    EXPECT_STREQ(StatusText(200), "State change");
    EXPECT_STREQ(StatusText(12), "Unknown status");
}

}  // namespace wmb
