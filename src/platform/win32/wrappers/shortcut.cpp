#include "platform/win32/wrappers/shortcut.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <stdexcept>

#include "platform/win32/wrappers/com_ref.h"

namespace wmb {

namespace {

const char kOpenError[] = "Error opening Shortcut.";

// COM for the calling thread, for the length of one call.
class ComScope {
public:
    ComScope() : initialised_(SUCCEEDED(CoInitialize(nullptr))) {}
    ~ComScope() {
        if (initialised_) CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    bool initialised_;
};

// The shell link object and its file interface; throws `failure` when either is unavailable.
struct ShellLink {
    explicit ShellLink(const char* failure) {
        if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.Out())) ||
            FAILED(link->QueryInterface(IID_IPersistFile, file.Out()))) {
            throw std::runtime_error(failure);
        }
    }
    ComRef<IShellLinkA> link;
    ComRef<IPersistFile> file;
};

template <class Getter>
std::string LinkText(Getter get) {
    char buffer[MAX_PATH + 1] = {};
    if (FAILED(get(buffer, MAX_PATH))) return std::string();
    buffer[MAX_PATH] = '\0';
    return buffer;
}

}  // namespace

ShortcutWindowState WindowStateFromShowCommand(int showCommand) {
    switch (showCommand) {
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE:
        return ShortcutWindowState::Minimised;
    case SW_SHOWMAXIMIZED:
    case SW_SHOWDEFAULT:
        return ShortcutWindowState::Maximised;
    default:
        return ShortcutWindowState::Normal;
    }
}

unsigned HotKeyFromShell(unsigned shellHotKey) { return (shellHotKey & 0xFFu) | ((shellHotKey >> 8 & 0xFFu) << 13); }

ShortcutDetails ReadShortcut(const std::string& lnkPath) {
    ComScope com;
    ShellLink shell(kOpenError);
    if (FAILED(shell.file->Load(Wide(lnkPath).c_str(), STGM_READ))) throw std::runtime_error(kOpenError);

    IShellLinkA* link = shell.link.Get();
    ShortcutDetails details;
    details.arguments = LinkText([&](char* b, int n) { return link->GetArguments(b, n); });
    details.description = LinkText([&](char* b, int n) { return link->GetDescription(b, n); });
    WORD hotKey = 0;
    if (SUCCEEDED(link->GetHotkey(&hotKey))) details.hotKey = HotKeyFromShell(hotKey);
    details.iconFile = LinkText([&](char* b, int n) { return link->GetIconLocation(b, n, &details.iconIndex); });
    details.Target = LinkText([&](char* b, int n) {
        WIN32_FIND_DATAA found{};
        return link->GetPath(b, n, &found, SLGP_UNCPRIORITY);
    });
    int showCommand = SW_SHOWNORMAL;
    if (SUCCEEDED(link->GetShowCmd(&showCommand))) details.windowState = WindowStateFromShowCommand(showCommand);
    details.workingFolder = LinkText([&](char* b, int n) { return link->GetWorkingDirectory(b, n); });
    return details;
}

void CreateShortcut(const std::string& lnkPath, const ShortcutContents& contents) {
    ComScope com;
    ShellLink shell("Cannot create the shell link object.");
    IShellLinkA* link = shell.link.Get();
    if (FAILED(link->SetPath(contents.target.c_str())) || FAILED(link->SetArguments(contents.arguments.c_str())) ||
        FAILED(link->SetDescription(contents.description.c_str())) ||
        FAILED(link->SetIconLocation(contents.iconFile.c_str(), contents.iconIndex)) ||
        FAILED(link->SetShowCmd(contents.showCommand)) ||
        FAILED(link->SetHotkey(static_cast<WORD>(contents.shellHotKey))) ||
        FAILED(link->SetWorkingDirectory(contents.workingFolder.c_str()))) {
        throw std::runtime_error("Cannot set up the shortcut " + lnkPath + ".");
    }
    if (FAILED(shell.file->Save(Wide(lnkPath).c_str(), TRUE)))
        throw std::runtime_error("Cannot save the shortcut " + lnkPath + ".");
}

void CreateShortcut(const std::string& lnkPath, const std::string& target) {
    ShortcutContents contents;
    contents.target = target;
    const auto slash = target.find_last_of('\\');
    if (slash != std::string::npos) contents.workingFolder = target.substr(0, slash);
    CreateShortcut(lnkPath, contents);
}

}  // namespace wmb
