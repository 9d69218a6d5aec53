#pragma once
// File operations as the portable logic sees them. Paths are 8-bit ANSI text with backslashes.

#include <optional>
#include <string>
#include <vector>

namespace wmb {

class FileSystem {
public:
    virtual ~FileSystem() = default;

    virtual bool FileExists(const std::string& path) const = 0;
    virtual bool FolderExists(const std::string& path) const = 0;

    // Whole file as bytes; nullopt when it cannot be read.
    virtual std::optional<std::string> ReadFile(const std::string& path) const = 0;
    // Creates or replaces the file. Throws std::runtime_error (with the system's message) on failure.
    virtual void WriteFile(const std::string& path, const std::string& bytes) = 0;
    // The same, but the file is either wholly the old one or wholly the new one, whenever the program
    // stops: the bytes go to a new file beside it, reach the disk, and then replace the old file.
    virtual void WriteFileAtomic(const std::string& path, const std::string& bytes) = 0;

    // Plain file-system calls; they fail silently (the result says whether they worked).
    virtual bool RemoveFile(const std::string& path) = 0;
    // Fails, leaving both files as they were, when `to` exists.
    virtual bool RenameFile(const std::string& from, const std::string& to) = 0;
    // Creates the folder with any missing parents.
    virtual bool CreateFolders(const std::string& path) = 0;

    // Shell copy: silent, replaces an existing target, creates missing folders. `to` is the full
    // destination file path. Returns whether the shell reported success.
    virtual bool ShellCopy(const std::string& from, const std::string& to) = 0;
    // Shell move with the same rules; the destination folder is created first.
    virtual bool ShellMove(const std::string& from, const std::string& to) = 0;

    // Names of the entries of a folder (no "." or ".."), in the order the file system lists them.
    virtual std::vector<std::string> ListSubfolders(const std::string& folder) const = 0;
};

}  // namespace wmb
