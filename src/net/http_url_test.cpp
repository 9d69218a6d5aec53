#include "net/http_url.h"

#include <gtest/gtest.h>

namespace wmb {

TEST(HttpUrl, AddressWithoutSchemeIsFetchedOverHttp) {
    EXPECT_EQ(WithSchemePrefix("updates.example.com/wmb.inf"), "http://updates.example.com/wmb.inf");
    EXPECT_EQ(WithSchemePrefix("https://updates.example.com/"), "https://updates.example.com/");
    EXPECT_EQ(WithSchemePrefix("file:///C:/a.txt"), "file:///C:/a.txt");
}

TEST(HttpUrl, SplitsIntoParts) {
    const struct {
        const char* url;
        TUrlParts parts;
    } cases[] = {
        {"http://example.com/a/b.inf?x=1#top", {"http", "example.com", 80, "", "", "/a/b.inf", "?x=1#top"}},
        {"HTTPS://example.com", {"HTTPS", "example.com", 443, "", "", "", ""}},
        {"http://127.0.0.1:8081?q", {"http", "127.0.0.1", 8081, "", "", "", "?q"}},
        {"http://ann:se:cret@host:/p", {"http", "host", 80, "ann", "se:cret", "/p", ""}},
        {"http://ann@host/p", {"http", "host", 80, "ann", "", "/p", ""}},
        {"http://[::1]:99/p", {"http", "[::1]", 99, "", "", "/p", ""}},
        {"ftp://host/p", {"ftp", "host", 21, "", "", "/p", ""}},
        {"wmb://host/p", {"wmb", "host", 0, "", "", "/p", ""}},
        {"file:///C:/dir/a%20b.txt", {"file", "", 0, "", "", "/C:/dir/a%20b.txt", ""}},
        {"file://C:/dir/a.txt", {"file", "", 0, "", "", "C:/dir/a.txt", ""}},
        {"file://server/share/a#1.txt", {"file", "server", 0, "", "", "/share/a#1.txt", ""}},
    };
    for (const auto& c : cases) {
        const auto parts = CrackUrl(c.url);
        ASSERT_TRUE(parts) << c.url;
        EXPECT_EQ(parts->Scheme, c.parts.Scheme) << c.url;
        EXPECT_EQ(parts->HostName, c.parts.HostName) << c.url;
        EXPECT_EQ(parts->Port, c.parts.Port) << c.url;
        EXPECT_EQ(parts->UserName, c.parts.UserName) << c.url;
        EXPECT_EQ(parts->Password, c.parts.Password) << c.url;
        EXPECT_EQ(parts->UrlPath, c.parts.UrlPath) << c.url;
        EXPECT_EQ(parts->ExtraInfo, c.parts.ExtraInfo) << c.url;
    }
}

TEST(HttpUrl, RefusesMalformedAddressesAndPartsBeyondTheirBuffers) {
    const std::string longest = std::string(kUrlPathBuffer - 2, 'p');
    EXPECT_TRUE(CrackUrl("http://h/" + longest));
    EXPECT_FALSE(CrackUrl("http://h//" + longest));
    EXPECT_TRUE(CrackUrl("http://" + std::string(kUrlHostBuffer - 1, 'h') + "/"));
    EXPECT_FALSE(CrackUrl("http://" + std::string(kUrlHostBuffer, 'h') + "/"));
    EXPECT_FALSE(CrackUrl("http://" + std::string(kUrlUserBuffer, 'u') + "@h/"));
    EXPECT_FALSE(CrackUrl("http://u:" + std::string(kUrlPasswordBuffer, 'p') + "@h/"));
    EXPECT_FALSE(CrackUrl("http://h/?" + std::string(kUrlExtraBuffer - 1, 'x')));
    EXPECT_FALSE(CrackUrl(std::string(kUrlSchemeBuffer, 's') + "://h/"));
    for (const char* bad : {"host/p", "://h/", "1http://h/", "ht tp://h/", "http:///p", "http://h:0/", "http://h:65536/",
                            "http://h:8o/", "http://u@:80/"})
        EXPECT_FALSE(CrackUrl(bad)) << bad;
}

TEST(HttpUrl, LoginFillsOnlyEmptyCredentials) {
    const TudLoginComponent login{"ann", "secret"};
    TUrlParts none = *CrackUrl("http://h/");
    FillCredentials(none, login);
    EXPECT_EQ(none.UserName, "ann");
    EXPECT_EQ(none.Password, "secret");
    TUrlParts own = *CrackUrl("http://bob:pw@h/");
    FillCredentials(own, login);
    EXPECT_EQ(own.UserName, "bob");
    EXPECT_EQ(own.Password, "pw");
    TUrlParts userOnly = *CrackUrl("http://bob@h/");
    FillCredentials(userOnly, login);
    EXPECT_EQ(userOnly.UserName, "bob");
    EXPECT_EQ(userOnly.Password, "secret");
}

TEST(HttpUrl, FileAddressesBecomeWindowsPaths) {
    const struct {
        const char* url;
        const char* path;
    } cases[] = {
        {"file:///C:/Games/Wildmere/a%20b.txt", "C:\\Games\\Wildmere\\a b.txt"},
        {"file://C:/a.txt", "C:\\a.txt"},
        {"file:///c|/a.txt", "c:\\a.txt"},
        {"file://localhost/C:/a.txt", "C:\\a.txt"},
        {"file://server/share/a.txt", "\\\\server\\share\\a.txt"},
        {"file://C:\\a\\b.txt", "C:\\a\\b.txt"},
    };
    for (const auto& c : cases) EXPECT_EQ(FilePathOfUrl(*CrackUrl(c.url)), c.path) << c.url;
    EXPECT_TRUE(SchemeIs(*CrackUrl("FILE:///C:/a"), "file"));
    EXPECT_EQ(RequestObject(*CrackUrl("http://h/a/b?c=d")), "/a/b?c=d");
}

TEST(HttpUrl, RedirectTargets) {
    const struct {
        const char* base;
        const char* location;
        const char* target;  // "" = not followed
    } cases[] = {
        {"http://h/a/b?q", "http://x/y", "http://x/y"},
        {"http://h/a/b", "HTTPS://x/y", "HTTPS://x/y"},
        {"https://h:444/a/b", "//x/y", "https://x/y"},
        {"http://h:81/a/b?q=/c", "/y", "http://h:81/y"},
        {"http://h/a/b?q=/c", "y?z", "http://h/a/y?z"},
        {"http://h", "y", "http://h/y"},
        {"http://h/a/b", "", ""},
        {"http://h/a/b", "file:///C:/Windows/win.ini", ""},
        {"http://h/a/b", "FTP://x/y", ""},
        {"http://h/a/b", "javascript:alert(1)", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ResolveRedirect(c.base, c.location).value_or(""), c.target) << c.base << " + " << c.location;
}

}  // namespace wmb
