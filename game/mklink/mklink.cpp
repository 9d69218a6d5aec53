// mklink.exe: creates or removes the game's shortcuts for all users, as an installer would.
//   mklink desktop TARGET     <all users' desktop>\Wildmere.lnk
//   mklink startmenu TARGET   <all users' programs>\Arvenel\Wildmere\Play Wildmere.lnk
//   mklink remove             deletes both shortcuts where present
// TARGET is the Windows path of Wildmere.exe; the shortcut starts in its folder. Prints the path of
// every shortcut made or removed. Exit code 0 on success, 1 on failure, 2 on bad arguments.

#include <objbase.h>
#include <shlobj.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

class ComScope {
public:
    ComScope() : ok_(SUCCEEDED(CoInitialize(nullptr))) {}
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;
    ~ComScope() {
        if (ok_) CoUninitialize();
    }
    bool Ok() const { return ok_; }

private:
    bool ok_;
};

// Owns one reference to a COM interface.
template <typename T>
class ComRef {
public:
    ComRef() = default;
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    ComRef(ComRef&& other) noexcept : p_(other.p_) { other.p_ = nullptr; }
    ComRef& operator=(ComRef&&) = delete;
    ~ComRef() {
        if (p_ != nullptr) p_->Release();
    }
    T* operator->() const { return p_; }
    T* Get() const { return p_; }
    void** Out() { return reinterpret_cast<void**>(&p_); }

private:
    T* p_ = nullptr;
};

std::string SpecialFolder(int csidl) {
    LPITEMIDLIST items = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &items))) return "";
    char path[MAX_PATH] = "";
    const BOOL ok = SHGetPathFromIDListA(items, path);
    CoTaskMemFree(items);
    return ok ? std::string(path) : std::string();
}

std::string DesktopLink() { return SpecialFolder(CSIDL_COMMON_DESKTOPDIRECTORY) + "\\Wildmere.lnk"; }
std::string StartMenuFolder() { return SpecialFolder(CSIDL_COMMON_PROGRAMS) + "\\Arvenel\\Wildmere"; }
std::string StartMenuLink() { return StartMenuFolder() + "\\Play Wildmere.lnk"; }

bool MakeLink(const std::string& link, const std::string& target) {
    ComRef<IShellLinkA> shellLink;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, shellLink.Out()))) {
        return false;
    }
    const std::string folder = target.substr(0, target.find_last_of('\\'));
    shellLink->SetPath(target.c_str());
    shellLink->SetWorkingDirectory(folder.c_str());
    shellLink->SetDescription("Wildmere");
    ComRef<IPersistFile> file;
    if (FAILED(shellLink->QueryInterface(IID_IPersistFile, file.Out()))) return false;
    std::wstring wide(link.size() + 1, L'\0');
    const int length = MultiByteToWideChar(CP_ACP, 0, link.c_str(), -1, wide.data(), static_cast<int>(wide.size()));
    if (length == 0) return false;
    return SUCCEEDED(file->Save(wide.c_str(), TRUE));
}

void CreateFolders(const std::string& folder) {
    for (size_t pos = folder.find('\\', 3); ; pos = folder.find('\\', pos + 1)) {
        CreateDirectoryA(folder.substr(0, pos).c_str(), nullptr);
        if (pos == std::string::npos) break;
    }
}

}  // namespace

int main(int argc, char** argv) {
    ComScope com;
    if (!com.Ok()) return 1;
    if (argc == 2 && std::strcmp(argv[1], "remove") == 0) {
        for (const std::string& link : {DesktopLink(), StartMenuLink()}) {
            if (DeleteFileA(link.c_str())) std::printf("%s\n", link.c_str());
        }
        return 0;
    }
    if (argc != 3) {
        std::fprintf(stderr, "usage: mklink desktop|startmenu TARGET | mklink remove\n");
        return 2;
    }
    std::string link;
    if (std::strcmp(argv[1], "desktop") == 0) {
        CreateFolders(SpecialFolder(CSIDL_COMMON_DESKTOPDIRECTORY));
        link = DesktopLink();
    } else if (std::strcmp(argv[1], "startmenu") == 0) {
        CreateFolders(StartMenuFolder());
        link = StartMenuLink();
    } else {
        std::fprintf(stderr, "unknown shortcut kind: %s\n", argv[1]);
        return 2;
    }
    if (!MakeLink(link, argv[2])) {
        std::fprintf(stderr, "cannot write %s\n", link.c_str());
        return 1;
    }
    std::printf("%s\n", link.c_str());
    return 0;
}
