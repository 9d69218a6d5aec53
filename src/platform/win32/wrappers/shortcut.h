#pragma once
// Shortcut (".lnk") files through the shell's link object.

#include <string>

namespace wmb {

enum class ShortcutWindowState { Normal, Minimised, Maximised };

// What a shortcut holds. Texts are at most MAX_PATH characters.
struct ShortcutDetails {
    std::string arguments;
    std::string description;
    // Virtual key code in the low byte; Shift, Ctrl and Alt as bits 13, 14 and 15 (0x2000, 0x4000,
    // 0x8000); the shell's "extended key" flag as bit 16.
    unsigned hotKey = 0;
    std::string iconFile;
    int iconIndex = 0;
    std::string Target;
    ShortcutWindowState windowState = ShortcutWindowState::Normal;
    std::string workingFolder;
};

// The shell's show command as a window state: 2, 6, 7 minimised; 3, 10 maximised; all else normal.
ShortcutWindowState WindowStateFromShowCommand(int showCommand);
// The shell's hot key (modifier flags in the high byte) in the form of ShortcutDetails::hotKey.
unsigned HotKeyFromShell(unsigned shellHotKey);

// Reads a shortcut file. Throws std::runtime_error("Error opening Shortcut.") when the shell cannot
// create its link object or load the file. Initialises COM for the calling thread for the call.
ShortcutDetails ReadShortcut(const std::string& lnkPath);

// The contents of a shortcut to write, in the shell's own forms (for tests and tools).
struct ShortcutContents {
    std::string target;
    std::string arguments;
    std::string description;
    std::string iconFile;
    int iconIndex = 0;
    int showCommand = 1;           // SW_SHOWNORMAL
    unsigned shellHotKey = 0;      // virtual key | HOTKEYF_* << 8
    std::string workingFolder;
};

// Writes a shortcut file, replacing an existing one. Throws std::runtime_error on failure.
void CreateShortcut(const std::string& lnkPath, const ShortcutContents& contents);
void CreateShortcut(const std::string& lnkPath, const std::string& target);

}  // namespace wmb
