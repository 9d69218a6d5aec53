// The shell item functions of the folder picker are declared for Internet Explorer 7 (Windows Vista) and
// later; the program targets Windows 7.
#undef _WIN32_IE
#define _WIN32_IE 0x0700

#include "ui/shell_dialogs.h"

#include <commdlg.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <string>


namespace wmb::ui {
namespace {

std::wstring Wide(const std::string& text) {
    if (text.empty()) return {};
    const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
    return wide;
}

std::string Narrow(const wchar_t* text) {
    const int n = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (n <= 1) return {};
    std::string narrow(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, -1, narrow.data(), n, nullptr, nullptr);
    narrow.resize(static_cast<std::size_t>(n - 1));
    return narrow;
}

// Releases a COM interface when it goes.
template <class T>
class ComRef {
public:
    ComRef() = default;
    ~ComRef() {
        if (p_) p_->Release();
    }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    T* operator->() const { return p_; }
    T** Out() { return &p_; }
    explicit operator bool() const { return p_ != nullptr; }

private:
    T* p_ = nullptr;
};

struct CoTaskText {
    ~CoTaskText() { CoTaskMemFree(text); }
    wchar_t* text = nullptr;
};

enum class Outcome { Chosen, Cancelled, Unavailable };

// The shell's item dialog picking a folder: "New folder", the shell's context menus, hidden folders shown.
Outcome ChooseWithItemDialog(HWND owner, const std::string& start, std::string& path) {
    ComRef<IFileOpenDialog> dialog;
    if (FAILED(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER, IID_IFileOpenDialog,
                                reinterpret_cast<void**>(dialog.Out())))) {
        return Outcome::Unavailable;
    }
    FILEOPENDIALOGOPTIONS options = 0;
    dialog->GetOptions(&options);
    dialog->SetOptions(options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM | FOS_PATHMUSTEXIST | FOS_FORCESHOWHIDDEN |
                       FOS_NOCHANGEDIR);
    if (!start.empty()) {
        ComRef<IShellItem> folder;
        if (SUCCEEDED(SHCreateItemFromParsingName(Wide(start).c_str(), nullptr, IID_IShellItem,
                                                  reinterpret_cast<void**>(folder.Out())))) {
            dialog->SetFolder(folder.operator->());
        }
    }
    const HRESULT shown = dialog->Show(owner);
    if (shown == HRESULT_FROM_WIN32(ERROR_CANCELLED)) return Outcome::Cancelled;
    if (FAILED(shown)) return Outcome::Unavailable;
    ComRef<IShellItem> result;
    CoTaskText name;
    if (FAILED(dialog->GetResult(result.Out())) || FAILED(result->GetDisplayName(SIGDN_FILESYSPATH, &name.text))) {
        return Outcome::Cancelled;
    }
    path = Narrow(name.text);
    return path.empty() ? Outcome::Cancelled : Outcome::Chosen;
}

int CALLBACK FolderDialogEvent(HWND dialog, UINT msg, LPARAM, LPARAM start) {
    if (msg == BFFM_INITIALIZED && start) SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, start);
    return 0;
}

// The older folder dialog, for systems without the item dialog: "Make New Folder" and context menus.
bool ChooseWithBrowseDialog(HWND owner, const std::string& start, std::string& path) {
    char buffer[MAX_PATH] = {};
    BROWSEINFOA bi{};
    bi.hwndOwner = owner;
    bi.pszDisplayName = buffer;
    bi.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE | BIF_EDITBOX | BIF_VALIDATE;
    bi.lpfn = FolderDialogEvent;
    bi.lParam = start.empty() ? 0 : reinterpret_cast<LPARAM>(start.c_str());
    LPITEMIDLIST list = SHBrowseForFolderA(&bi);
    if (!list) return false;
    const bool ok = SHGetPathFromIDListA(list, buffer) != FALSE;
    CoTaskMemFree(list);
    if (ok) path = buffer;
    return ok;
}

}  // namespace

bool ChooseFile(HWND owner, const char* filter, std::string& path) {
    char buffer[MAX_PATH] = {};
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter;
    ofn.lpstrFile = buffer;
    ofn.nMaxFile = MAX_PATH;
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_EXPLORER;
    if (!GetOpenFileNameA(&ofn)) return false;
    path = buffer;
    return true;
}

bool ChooseFolder(HWND owner, const std::string& start, std::string& path) {
    std::string startFolder = start;
    if (startFolder.size() > 3 && startFolder.back() == '\\') startFolder.pop_back();
    const DWORD attributes = GetFileAttributesA(startFolder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) startFolder.clear();

    switch (ChooseWithItemDialog(owner, startFolder, path)) {
    case Outcome::Chosen:
        return true;
    case Outcome::Cancelled:
        return false;
    case Outcome::Unavailable:
        break;
    }
    return ChooseWithBrowseDialog(owner, startFolder, path);
}

}  // namespace wmb::ui
