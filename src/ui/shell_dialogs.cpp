// The shell item functions of the folder picker are declared for Internet Explorer 7 (Windows Vista) and
// later; the program targets Windows 7.
#undef _WIN32_IE
#define _WIN32_IE 0x0700

#include "ui/shell_dialogs.h"

#include <cstring>

#include <commdlg.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <string>

#include "platform/win32/wrappers/com_ref.h"

namespace wmb::ui {
namespace {

struct CoTaskText {
    ~CoTaskText() { CoTaskMemFree(text); }
    wchar_t* text = nullptr;
};

enum class Outcome { Chosen, Cancelled, Unavailable };

// The shell's item dialog picking a folder: "New folder", the shell's context menus, hidden folders shown.
Outcome ChooseWithItemDialog(HWND owner, const std::string& start, std::string& path) {
    ComRef<IFileOpenDialog> dialog;
    if (FAILED(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER, IID_IFileOpenDialog,
                                dialog.Out()))) {
        return Outcome::Unavailable;
    }
    FILEOPENDIALOGOPTIONS options = 0;
    dialog->GetOptions(&options);
    dialog->SetOptions(options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM | FOS_PATHMUSTEXIST | FOS_FORCESHOWHIDDEN |
                       FOS_NOCHANGEDIR);
    if (!start.empty()) {
        ComRef<IShellItem> folder;
        if (SUCCEEDED(SHCreateItemFromParsingName(Wide(start).c_str(), nullptr, IID_IShellItem,
                                                  folder.Out()))) {
            dialog->SetFolder(folder.Get());
        }
    }
    const HRESULT shown = dialog->Show(owner);
    if (shown == HRESULT_FROM_WIN32(ERROR_CANCELLED)) return Outcome::Cancelled;
    if (FAILED(shown)) return Outcome::Unavailable;
    ComRef<IShellItem> result;
    CoTaskText name;
    if (FAILED(dialog->GetResult(result.Address())) || FAILED(result->GetDisplayName(SIGDN_FILESYSPATH, &name.text))) {
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

// The open or save dialog starting at `initial`; the path chosen goes into `path`, false when cancelled.
bool RunFileDialog(HWND owner, const char* filter, const std::string& initial, const char* title,
                   const char* defaultExtension, DWORD flags, BOOL(WINAPI* show)(LPOPENFILENAMEA),
                   std::string& path) {
    char buffer[MAX_PATH] = {};
    lstrcpynA(buffer, initial.c_str(), sizeof buffer);
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter;
    ofn.lpstrFile = buffer;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrTitle = title;
    ofn.lpstrDefExt = defaultExtension;
    ofn.Flags = flags;
    if (!show(&ofn)) return false;
    path = buffer;
    return true;
}

}  // namespace

bool ChooseFile(HWND owner, const char* filter, std::string& path, const char* title) {
    return RunFileDialog(owner, filter, "", title, nullptr,
                         OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_EXPLORER,
                         &GetOpenFileNameA, path);
}

bool ChooseFiles(HWND owner, const char* filter, std::vector<std::string>& paths, const char* title) {
    // The dialog answers "folder\0name\0name\0\0", or one full path when one file was chosen.
    std::vector<char> buffer(32768, '\0');
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter;
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = static_cast<DWORD>(buffer.size());
    ofn.lpstrTitle = title;
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_EXPLORER |
                OFN_ALLOWMULTISELECT;
    if (!GetOpenFileNameA(&ofn)) return false;
    std::vector<std::string> parts;
    for (const char* part = buffer.data(); *part; part += std::strlen(part) + 1) parts.emplace_back(part);
    paths.clear();
    if (parts.size() == 1) {
        paths = parts;
    } else if (!parts.empty()) {
        std::string folder = parts.front();
        if (folder.back() != '\\') folder += '\\';
        for (std::size_t i = 1; i < parts.size(); ++i) paths.push_back(folder + parts[i]);
    }
    return !paths.empty();
}

bool ChooseSaveFile(HWND owner, const char* filter, const char* defaultExtension, std::string& path) {
    return RunFileDialog(owner, filter, path, nullptr, defaultExtension,
                         OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_EXPLORER,
                         &GetSaveFileNameA, path);
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
