#pragma once
// The file system and the shell's file operation, and the folders the system asks the platform for.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace wmb {

class Win32FileSystem : public FileSystem {
public:
    // `shellOwner` parents the shell's progress and error dialogs (NULL: the desktop).
    explicit Win32FileSystem(HWND shellOwner = nullptr) : shellOwner_(shellOwner) {}

    bool FileExists(const std::string& path) const override;
    bool FolderExists(const std::string& path) const override;
    std::optional<std::string> ReadFile(const std::string& path) const override;
    void WriteFile(const std::string& path, const std::string& bytes) override;
    void WriteFileAtomic(const std::string& path, const std::string& bytes) override;
    bool RemoveFile(const std::string& path) override;
    bool RenameFile(const std::string& from, const std::string& to) override;
    bool CreateFolders(const std::string& path) override;
    bool ShellCopy(const std::string& from, const std::string& to) override;
    bool ShellMove(const std::string& from, const std::string& to) override;
    std::vector<std::string> ListSubfolders(const std::string& folder) const override;

private:
    bool ShellOperation(UINT operation, const std::string& from, const std::string& to);

    HWND shellOwner_;
};

// Folder of the running executable, with a trailing backslash.
std::string ProgramFolder();
// Full path of the running executable.
std::string ProgramPath();
// The Windows system folder (where dxdiag.exe lives), without a trailing backslash.
std::string WindowsSystemFolder();
// Desktop and Start-menu programs folders of all users, without a trailing backslash; "" when the
// shell cannot name them.
std::string CommonDesktopFolder();
std::string CommonProgramsFolder();
// The user's folder for temporary files, with a trailing backslash.
std::string TempFolder();

}  // namespace wmb
