#include "update/staging_record.h"

#include <gtest/gtest.h>

namespace wmb {
namespace {

const std::string kA(64, 'a'), kB(64, 'b');

TEST(StagingRecord, WrittenAndReadBack) {
    const std::vector<TStagedFile> files{{"WildmereBench.exe", {1000000, kA}}, {"notes 2.txt", {0, kB}}};
    const std::string text = StagingRecordText(files);
    EXPECT_EQ(text, "WildmereBench staged update\r\n1000000 " + kA + " WildmereBench.exe\r\n0 " + kB +
                        " notes 2.txt\r\nend 2\r\n");
    EXPECT_EQ(ReadStagingRecord(text), files);
}

TEST(StagingRecord, ANameDownloadedTwiceIsListedOnceWithItsLastDigest) {
    const std::string text = StagingRecordText({{"a.dat", {1, kA}}, {"b.dat", {2, kA}}, {"A.DAT", {3, kB}}});
    EXPECT_EQ(ReadStagingRecord(text), (std::vector<TStagedFile>{{"b.dat", {2, kA}}, {"A.DAT", {3, kB}}}));
}

TEST(StagingRecord, AnythingButAWholeRecordIsNoRecord) {
    const std::string head = "WildmereBench staged update\r\n";
    const std::string line = "5 " + kA + " a.dat\r\n";
    const char* why[] = {"empty",          "no files",        "cut short",        "count differs",
                         "no final CR LF", "bare LF",         "wrong header",     "upper-case digest",
                         "short digest",   "size not a number", "leading zero",   "path in the name",
                         "device name",    "name twice",      "trailing junk",    "two blanks"};
    const std::string bad[] = {
        "",
        head + "end 0\r\n",
        head + line,
        head + line + "end 2\r\n",
        head + line + "end 1",
        "WildmereBench staged update\n5 " + kA + " a.dat\nend 1\n",
        "WildmereBench staged updates\r\n" + line + "end 1\r\n",
        head + "5 " + std::string(64, 'A') + " a.dat\r\nend 1\r\n",
        head + "5 " + std::string(63, 'a') + " a.dat\r\nend 1\r\n",
        head + "x " + kA + " a.dat\r\nend 1\r\n",
        head + "05 " + kA + " a.dat\r\nend 1\r\n",
        head + "5 " + kA + " ..\\WildmereBench.exe\r\nend 1\r\n",
        head + "5 " + kA + " nul .dat\r\nend 1\r\n",
        head + line + "5 " + kA + " A.dat\r\nend 2\r\n",
        head + line + "end 1\r\nx\r\n",
        head + "5  " + kA + " a.dat\r\nend 1\r\n",
    };
    static_assert(std::size(why) == std::size(bad));
    for (std::size_t i = 0; i < std::size(bad); ++i) EXPECT_EQ(ReadStagingRecord(bad[i]), std::nullopt) << why[i];
}

}  // namespace
}  // namespace wmb
