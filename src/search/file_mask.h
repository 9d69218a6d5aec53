#pragma once
// Matching file names against masks with "?" and "*", and the exclusion entries of a search
// (a folder part matched against the end of the searched path and/or a name mask).

#include <string>
#include <string_view>
#include <vector>

namespace wmb {

// One part of a mask against one part of a name: "?" is any one character, "*" accepts the rest,
// case is ignored, and a text that ends early matches when only "*" and "?" remain in the mask.
bool MatchesMaskPart(std::string_view mask, std::string_view text);

// A name against a mask: base name and extension separately when the mask has an extension (a name
// without one counts as ending in "."), the base name alone otherwise.
bool MatchesMask(std::string_view mask, std::string_view name);

// Whether an exclusion entry covers a file in `folder` (full path with a trailing backslash).
bool MatchesExclusion(std::string_view entry, std::string_view folder, std::string_view name);

// Whether any entry covers the file; the entries are tried from the last to the first.
bool IsExcluded(const std::vector<std::string>& excluded, std::string_view folder, std::string_view name);

}  // namespace wmb
