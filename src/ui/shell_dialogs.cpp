#include "ui/shell_dialogs.h"

#include <commdlg.h>
#include <shlobj.h>

namespace wmb::ui {
namespace {

int CALLBACK FolderDialogEvent(HWND dialog, UINT msg, LPARAM, LPARAM start) {
    if (msg == BFFM_INITIALIZED && start) SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, start);
    return 0;
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
    const bool startExists = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);

    char buffer[MAX_PATH] = {};
    BROWSEINFOA bi{};
    bi.hwndOwner = owner;
    bi.pszDisplayName = buffer;
    bi.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE | BIF_EDITBOX | BIF_VALIDATE;
    bi.lpfn = FolderDialogEvent;
    bi.lParam = startExists ? reinterpret_cast<LPARAM>(startFolder.c_str()) : 0;
    LPITEMIDLIST list = SHBrowseForFolderA(&bi);
    if (!list) return false;
    const bool ok = SHGetPathFromIDListA(list, buffer) != FALSE;
    CoTaskMemFree(list);
    if (ok) path = buffer;
    return ok;
}

}  // namespace wmb::ui
