#include "settings/news.h"

#include <gtest/gtest.h>

#include <vector>

#include "net/maker_server.h"

namespace wmb {
namespace {

struct AddressCase {
    const char* name;
    bool online;
    bool offlineFileThere;
    std::optional<std::string> expected;
    bool folderLookedAt;
};

const AddressCase kAddressCases[] = {
    {"OnlineShowsTheServersPage", true, true, "http://www.kestrane.com/benchmarks/news.html", false},
    {"OnlineWithoutTheFileStillShowsTheServersPage", true, false, "http://www.kestrane.com/benchmarks/news.html",
     false},
    {"OfflineShowsTheShippedPageByItsPlainPath", false, true, "C:\\Bench\\offlinenews.html", true},
    {"OfflineWithoutTheFileLeavesTheBrowserAlone", false, false, std::nullopt, true},
};

class NewsAddressTest : public ::testing::TestWithParam<AddressCase> {};

TEST_P(NewsAddressTest, ChoosesThePage) {
    const AddressCase& c = GetParam();
    std::vector<std::string> asked;
    const auto address = NewsAddress(c.online, kNewsServer, "C:\\Bench\\", [&](const std::string& path) {
        asked.push_back(path);
        return c.offlineFileThere && path == "C:\\Bench\\offlinenews.html";
    });
    EXPECT_EQ(address, c.expected);
    EXPECT_EQ(!asked.empty(), c.folderLookedAt);
}

INSTANTIATE_TEST_SUITE_P(Cases, NewsAddressTest, ::testing::ValuesIn(kAddressCases),
                         [](const ::testing::TestParamInfo<AddressCase>& info) { return info.param.name; });

TEST(NewsOnlineAddress, AnotherServerKeepsTheSchemeAndPath) {
    EXPECT_EQ(OnlineNewsAddress("127.0.0.1:8080"), "http://127.0.0.1:8080/benchmarks/news.html");
}

}  // namespace
}  // namespace wmb
