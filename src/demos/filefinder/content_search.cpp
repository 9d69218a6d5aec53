// The block-wise content test of the file search.

#include "demos/filefinder/content_search.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "demos/filefinder/case_tables.h"

namespace wmb {

namespace {

// The first start in [from, last] where the phrase lies in the window, or npos.
std::size_t FindPhrase(const std::string& window, const std::string& phrase, std::size_t from, std::size_t last) {
    const char* data = window.data();
    while (from <= last) {
        const void* hit = std::memchr(data + from, phrase[0], last - from + 1);
        if (hit == nullptr) return std::string::npos;
        const std::size_t at = static_cast<std::size_t>(static_cast<const char*>(hit) - data);
        if (std::memcmp(data + at + 1, phrase.data() + 1, phrase.size() - 1) == 0) return at;
        from = at + 1;
    }
    return std::string::npos;
}

}  // namespace

std::size_t ContentBlockSize(std::size_t phraseLength, std::uint64_t fileSize) {
    if (phraseLength > kContentBlockSize) return phraseLength + 1;
    return static_cast<std::size_t>(std::min<std::uint64_t>(fileSize, kContentBlockSize));
}

bool ContainsPhrase(const TContentCriteria& content, std::uint64_t fileSize, const TReadBlock& read) {
    const std::string& phrase = content.Phrase;
    const std::size_t n = phrase.size();
    if (n == 0) return true;
    if (fileSize < n) return false;
    const TCaseTables& tables = CaseTables();
    const auto& table = content.IgnoreCase ? tables.Lower : tables.Identity;
    const std::size_t capacity = ContentBlockSize(n, fileSize);
    std::vector<char> block(capacity);
    std::string window;      // translated bytes from file offset `base` on
    std::uint64_t base = 0;
    std::size_t from = 0;    // window index of the next start to try
    for (;;) {
        const std::optional<std::size_t> got = read(block.data(), capacity);
        if (!got || *got > capacity) return false;
        const bool atEnd = *got == 0;
        const std::size_t old = window.size();
        window.resize(old + *got);
        for (std::size_t i = 0; i < *got; ++i)
            window[old + i] = static_cast<char>(table[static_cast<unsigned char>(block[i])]);
        // A start can be decided once the phrase, and with WholeWord the byte after it, has been read.
        const std::size_t need = n + (content.WholeWord && !atEnd ? 1 : 0);
        if (window.size() >= need) {
            const std::size_t last = window.size() - need;
            for (std::size_t p = FindPhrase(window, phrase, from, last); p != std::string::npos;
                 p = FindPhrase(window, phrase, p + 1, last)) {
                if (!content.WholeWord) return true;
                const auto delimiter = [&](std::size_t i) {
                    return tables.Delimiter[static_cast<unsigned char>(window[i])];
                };
                const bool before = (base == 0 && p == 0) || delimiter(p - 1);
                const bool after = p + n == window.size() || delimiter(p + n);
                if (before && after) return true;
            }
            from = last + 1;
        }
        if (atEnd) return false;
        const std::size_t drop = from > 0 ? from - 1 : 0;  // keep the byte before the next start
        window.erase(0, drop);
        base += drop;
        from -= drop;
    }
}

}  // namespace wmb
