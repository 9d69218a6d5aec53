#include "ui/page.h"

#include <algorithm>

#include "settings/option_rules.h"
#include "ui/app_services.h"
#include "ui/pictures.h"
#include "ui/shell_dialogs.h"

namespace wmb::ui {

void Page::Create(HWND frame, const RECT& area) {
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(frame, GWLP_HINSTANCE));
    RegisterWindowClass(instance, kPageClass, GetSysColorBrush(COLOR_BTNFACE));
    Window::Create(instance, kPageClass, "", WS_CHILD | WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT, area, frame);
}

void Page::OnCreate() { Build(); }

void Page::AddControls(std::span<const ControlRow> rows) {
    CreateControls(Handle(), rows, host_.NormalFont(), controls_);
}

RadioGroup Page::Radios(int firstId, int count) const {
    std::vector<HWND> items;
    for (int i = 0; i < count; ++i) items.push_back(controls_.Find(firstId + i));
    return RadioGroup(std::move(items));
}

void Page::AddHint(int id, const std::string& text) const { host_.Hints().Add(controls_.Find(id), text); }

void Page::AddGlyph(int id, int bitmapId) {
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(Handle(), GWLP_HINSTANCE));
    glyphs_.emplace_back(instance, bitmapId);
    const HWND button = controls_.Find(id);
    glyphs_.back().ShowOn(button, Control(button).Text() == "...");
}

void Page::ShowPicture(int id, int bitmapId) {
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(Handle(), GWLP_HINSTANCE));
    bitmaps_.push_back(LoadPicture(instance, bitmapId));
    SendMessageA(controls_.Find(id), STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmaps_.back().Get()));
}

LRESULT Page::OnMessage(UINT msg, WPARAM wp, LPARAM lp, bool& handled) {
    if (msg != WM_CTLCOLORSTATIC && msg != WM_CTLCOLORBTN) {
        handled = false;
        return 0;
    }
    const auto dc = reinterpret_cast<HDC>(wp);
    const auto control = reinterpret_cast<HWND>(lp);
    const bool infoTip = std::find(infoTipIds_.begin(), infoTipIds_.end(), GetDlgCtrlID(control)) != infoTipIds_.end();
    if (infoTip && IsWindowEnabled(control)) {
        SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
        SetBkColor(dc, GetSysColor(COLOR_INFOBK));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_INFOBK));
    }
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    if (!infoTip) SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

void Page::ChooseFolderFor(int boxId, const char* valueName) {
    std::string chosen;
    if (!ChooseFolder(GetAncestor(Handle(), GA_ROOT), Ctl(boxId).Text(), chosen)) return;
    PutFolder(boxId, valueName, ChosenFolderText(chosen));
}

void Page::DefaultFolderFor(int boxId, const char* valueName, const char* subFolder) {
    PutFolder(boxId, valueName, DefaultFolderText(host_.GameExists(), host_.App().GameFolders(), subFolder));
}

void Page::PutFolder(int boxId, const char* valueName, const std::string& folder) {
    Ctl(boxId).SetText(folder);
    host_.App().Store().Write(valueName, folder);
    if (!host_.App().Files().FolderExists(folder)) host_.App().Files().CreateFolders(folder);
}

}  // namespace wmb::ui
