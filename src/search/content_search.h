#pragma once
// The content test of a file search: whether a file's bytes contain the phrase, read block by block
// through a callback, with matches across block edges, case folding and whole-word matching.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>

#include "search/search_criteria.h"

namespace wmb {

inline constexpr std::size_t kContentBlockSize = 61440;

// Reads the file's next bytes into `buffer` (at most `capacity`): the count, 0 at the end of the
// file, or nullopt when reading fails.
using TReadBlock = std::function<std::optional<std::size_t>(char* buffer, std::size_t capacity)>;

// The size of the blocks read: 61440 bytes, the whole file when it is smaller, or one byte more than
// the phrase when the phrase is longer.
std::size_t ContentBlockSize(std::size_t phraseLength, std::uint64_t fileSize);

// Whether the file contains the phrase of a prepared search (lower case when IgnoreCase is on). An
// empty phrase always matches; a file shorter than the phrase and a read error never do. Reading
// stops at the first match.
bool ContainsPhrase(const TContentCriteria& content, std::uint64_t fileSize, const TReadBlock& read);

}  // namespace wmb
