// The block-wise content test of the file search.

#include "search/content_search.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "base/case_tables.h"

namespace wmb {

namespace {

// The first start in [from, last] where the phrase lies in `data`, or npos.
std::size_t FindPhrase(const char* data, const std::string& phrase, std::size_t from, std::size_t last) {
    while (from <= last) {
        const void* hit = std::memchr(data + from, phrase[0], last - from + 1);
        if (hit == nullptr) return std::string::npos;
        const std::size_t at = static_cast<std::size_t>(static_cast<const char*>(hit) - data);
        if (std::memcmp(data + at + 1, phrase.data() + 1, phrase.size() - 1) == 0) return at;
        from = at + 1;
    }
    return std::string::npos;
}

// Whether the table lowers the 7-bit bytes exactly as ASCII does ("A".."Z" only).
bool LowersLikeAscii(const std::array<unsigned char, 256>& lower) {
    for (int c = 0; c < 0x80; ++c)
        if (lower[c] != (c >= 'A' && c <= 'Z' ? c + 0x20 : c)) return false;
    return true;
}

// Passes the bytes through the lower-case table in place. Runs of four 7-bit bytes are lowered at once
// when the table agrees with ASCII for them: bit 7 of (b + 0x3F) says b >= 'A', of (b + 0x25) b > 'Z'.
void LowerInPlace(char* data, std::size_t count, const std::array<unsigned char, 256>& lower, bool asciiRuns) {
    std::size_t i = 0;
    if (asciiRuns) {
        for (; i + 4 <= count; i += 4) {
            std::uint32_t x;
            std::memcpy(&x, data + i, 4);
            if ((x & 0x80808080u) == 0) {
                x |= (((x + 0x3F3F3F3Fu) ^ (x + 0x25252525u)) & 0x80808080u) >> 2;
                std::memcpy(data + i, &x, 4);
            } else {
                for (std::size_t j = i; j < i + 4; ++j) data[j] = static_cast<char>(lower[static_cast<unsigned char>(data[j])]);
            }
        }
    }
    for (; i < count; ++i) data[i] = static_cast<char>(lower[static_cast<unsigned char>(data[i])]);
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
    static const bool asciiRuns = LowersLikeAscii(tables.Lower);
    const std::size_t capacity = ContentBlockSize(n, fileSize);
    // The bytes still needed from earlier blocks (at most the phrase and one byte before it), then a block.
    std::vector<char> window(n + 1 + capacity);
    std::size_t used = 0;
    std::uint64_t base = 0;  // file offset of window[0]
    std::size_t from = 0;    // window index of the next start to try
    for (;;) {
        const std::size_t room = std::min(capacity, window.size() - used);
        const std::optional<std::size_t> got = read(window.data() + used, room);
        if (!got || *got > room) return false;
        const bool atEnd = *got == 0;
        if (content.IgnoreCase) LowerInPlace(window.data() + used, *got, tables.Lower, asciiRuns);
        used += *got;
        // A start can be decided once the phrase, and with WholeWord the byte after it, has been read.
        const std::size_t need = n + (content.WholeWord && !atEnd ? 1 : 0);
        if (used >= need) {
            const std::size_t last = used - need;
            for (std::size_t p = FindPhrase(window.data(), phrase, from, last); p != std::string::npos;
                 p = FindPhrase(window.data(), phrase, p + 1, last)) {
                if (!content.WholeWord) return true;
                const auto delimiter = [&](std::size_t i) {
                    return tables.Delimiter[static_cast<unsigned char>(window[i])];
                };
                const bool before = (base == 0 && p == 0) || delimiter(p - 1);
                const bool after = p + n == used || delimiter(p + n);
                if (before && after) return true;
            }
            from = last + 1;
        }
        if (atEnd) return false;
        const std::size_t drop = from > 0 ? from - 1 : 0;  // keep the byte before the next start
        std::memmove(window.data(), window.data() + drop, used - drop);
        used -= drop;
        base += drop;
        from -= drop;
    }
}

}  // namespace wmb
