#include "search/content_search.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace wmb {

namespace {

// A file read front to back like ReadFile does; it can fail once `failAt` bytes have been read.
struct FakeFile {
    explicit FakeFile(std::string bytes) : Bytes(std::move(bytes)) {}

    std::string Bytes;
    std::size_t FailAt = std::string::npos;
    std::size_t Offset = 0;
    std::vector<std::size_t> Requests;

    TReadBlock Reader() {
        return [this](char* buffer, std::size_t capacity) -> std::optional<std::size_t> {
            Requests.push_back(capacity);
            if (Offset >= FailAt) return std::nullopt;
            const std::size_t count = std::min(capacity, Bytes.size() - Offset);
            std::memcpy(buffer, Bytes.data() + Offset, count);
            Offset += count;
            return count;
        };
    }
};

bool Contains(const std::string& bytes, const std::string& phrase, bool ignoreCase, bool wholeWord) {
    TSearchCriteria criteria;
    criteria.Content = {phrase, ignoreCase, wholeWord};
    const auto search = PrepareSearch(criteria, nullptr);
    FakeFile file(bytes);
    return ContainsPhrase(search->Content, bytes.size(), file.Reader());
}

// `phrase` placed so that it starts `before` bytes ahead of the first block's end.
std::string AcrossEdge(const std::string& phrase, std::size_t before, char filler = ' ') {
    std::string bytes(kContentBlockSize - before, filler);
    bytes += phrase;
    bytes.append(kContentBlockSize, filler);
    return bytes;
}

}  // namespace

TEST(ContentSearch, PhraseCaseAndWholeWords) {
    const struct {
        std::string bytes, phrase;
        bool ignoreCase, wholeWord, found;
    } cases[] = {
        {"a Wildmere demo", "wildmere", true, false, true},
        {"a Wildmere demo", "wildmere", false, false, false},
        {"a WILDMERE demo", "WildMere", true, false, true},
        {"demo at start", "demo", true, true, true},
        {"ends with demo", "demo", true, true, true},
        {"demos and (demo)", "demo", true, true, true},
        {"demos, ademo, demo1", "demo", true, true, false},
        {"demos, ademo, demo1", "demo", true, false, true},
        {"caf\xC9 caf", "caf", true, true, true},
        {"caf\xC9", "caf", true, true, false},  // an accented letter is no delimiter
        {"\xC9T\xC9", "\xE9t\xE9", false, false, false},
        {"\xC9T\xC9", "\xE9t\xE9", true, true, true},
        {"xx@[`{ZA", "@[`{za", true, false, true},  // only "A".."Z" are lowered among 7-bit bytes
        {"xx@[`{ZA", "`{@[za", true, false, false},
        {"xAbC\xC0" "Dq", "abc\xE0" "dq", true, false, true},
        {"dem", "demo", true, false, false},
        {"", "demo", true, false, false},
        {"anything", "", true, true, true},
        {AcrossEdge("Wildmere", 3), "wildmere", true, true, true},
        {AcrossEdge("wildmere", 8), "wildmere", true, true, true},  // ends exactly at the edge
        {AcrossEdge("wildmerex", 8), "wildmere", true, true, false},  // the byte after lies in the next block
        {AcrossEdge("wildmere", 3, 'x'), "wildmere", true, true, false},
        {AcrossEdge("wildmere", 3, 'x'), "wildmere", true, false, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Contains(c.bytes, c.phrase, c.ignoreCase, c.wholeWord), c.found)
            << c.phrase << " in " << c.bytes.substr(0, 40) << " (" << c.bytes.size() << " bytes)";
}

TEST(ContentSearch, BlockSizes) {
    const struct {
        std::size_t phrase;
        std::uint64_t file;
        std::size_t block;
    } cases[] = {
        {4, 100, 100}, {4, 61440, 61440}, {4, 1000000, 61440}, {61440, 100000, 61440}, {70000, 100000, 70001},
    };
    for (const auto& c : cases) EXPECT_EQ(ContentBlockSize(c.phrase, c.file), c.block) << c.phrase << " " << c.file;
}

TEST(ContentSearch, ReadsBlockByBlockAndStopsAtTheFirstMatch) {
    FakeFile file(std::string(kContentBlockSize * 3, 'x') + " demo");
    file.Bytes.replace(10, 4, "demo");
    EXPECT_TRUE(ContainsPhrase({"demo", true, false}, file.Bytes.size(), file.Reader()));
    EXPECT_EQ(file.Requests, std::vector<std::size_t>{kContentBlockSize});

    FakeFile longPhrase(std::string(70000, 'a') + "b");
    EXPECT_TRUE(ContainsPhrase({std::string(69999, 'a') + "b", false, false}, longPhrase.Bytes.size(),
                               longPhrase.Reader()));
    EXPECT_EQ(longPhrase.Requests.front(), 70001u);
}

TEST(ContentSearch, ShortFilesAndReadErrorsDoNotMatch) {
    FakeFile shortFile("dem");
    EXPECT_FALSE(ContainsPhrase({"demo", true, false}, 3, shortFile.Reader()));
    EXPECT_TRUE(shortFile.Requests.empty());  // decided without reading

    FakeFile failing(AcrossEdge("demo", 2));
    failing.FailAt = kContentBlockSize;
    EXPECT_FALSE(ContainsPhrase({"demo", true, false}, failing.Bytes.size(), failing.Reader()));
}

}  // namespace wmb
