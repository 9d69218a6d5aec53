#pragma once
// Checks of the Windows paths that unattended runs read from files and from the command line, before any of
// them reaches the file system.

#include <string>
#include <string_view>

namespace wmb {

// The longest path the "A" file functions take: MAX_PATH less the terminating zero.
inline constexpr std::size_t kLongestPath = 259;

// A full path: a drive letter, a colon and a backslash ("C:\..."), or a share ("\\server\share...").
bool IsFullWindowsPath(std::string_view path);

// Why a full path cannot be used, or "" when it can: not full, a character Windows does not allow in a name
// (< > " / | ? *, a control character, a colon anywhere but after the drive letter), an empty, "." or ".."
// part, or more than kLongestPath characters. A trailing backslash is allowed.
std::string FullPathProblem(std::string_view path);

// Why a path relative to some folder cannot be used, or "" when it can: the characters as above, an empty
// part, a leading backslash or a drive letter; "." and ".." parts are allowed.
std::string RelativePathProblem(std::string_view path);

// Why the path of a file to read cannot be used, or "" when it can: a full path or a relative one, the
// characters and parts as for a relative path, at most kLongestPath characters, no trailing backslash.
std::string FilePathProblem(std::string_view path);

// The folder with a trailing backslash.
std::string WithBackslash(std::string_view folder);

// The folder part of a file's path, up to and including its last backslash; "" for a bare name.
std::string FolderOf(std::string_view path);

}  // namespace wmb
