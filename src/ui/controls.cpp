#include "ui/controls.h"

#include <commctrl.h>

namespace wmb::ui {

std::string Control::Text() const {
    const int n = GetWindowTextLengthA(hwnd_);
    std::string s(static_cast<std::size_t>(n) + 1, '\0');
    const int got = GetWindowTextA(hwnd_, s.data(), n + 1);
    s.resize(static_cast<std::size_t>(got > 0 ? got : 0));
    return s;
}

int RadioGroup::Index() const {
    for (int i = 0; i < Count(); ++i) {
        if (Item(i).Checked()) return i;
    }
    return -1;
}

namespace {

// Text of item `index` of a combo box or list box: the two ask with their own length and text messages.
std::string ListItemText(HWND list, UINT lengthMessage, UINT textMessage, int index) {
    if (index < 0) return "";
    const LRESULT n = SendMessageA(list, lengthMessage, static_cast<WPARAM>(index), 0);
    if (n < 0) return "";  // CB_ERR, LB_ERR
    std::string s(static_cast<std::size_t>(n) + 1, '\0');
    SendMessageA(list, textMessage, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(s.data()));
    s.resize(static_cast<std::size_t>(n));
    return s;
}

}  // namespace

void RadioGroup::SetIndex(int index) const {
    for (int i = 0; i < Count(); ++i) Item(i).SetChecked(i == index);
}

void ComboBox::AddItems(std::span<const char* const> items) const {
    for (const char* item : items) SendMessageA(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
}

std::string ComboBox::ItemText(int index) const {
    return ListItemText(hwnd_, CB_GETLBTEXTLEN, CB_GETLBTEXT, index);
}

void ComboBox::SelectText(const std::string& text) const {
    const LRESULT i = SendMessageA(hwnd_, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                   reinterpret_cast<LPARAM>(text.c_str()));
    SetIndex(i == CB_ERR ? -1 : static_cast<int>(i));
    if (i == CB_ERR) SetText(text);
}

void ListBox::AddItems(std::span<const char* const> items) const {
    for (const char* item : items) SendMessageA(hwnd_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
}

std::string ListBox::ItemText(int index) const {
    return ListItemText(hwnd_, LB_GETTEXTLEN, LB_GETTEXT, index);
}

void SpinBox::Attach(HWND buddy, int low, int high, int start) const {
    SendMessageA(hwnd_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
    SendMessageA(hwnd_, UDM_SETRANGE32, static_cast<WPARAM>(low), high);
    SendMessageA(hwnd_, UDM_SETPOS32, 0, start);
}

void TabControl::AddTab(const std::string& title) const {
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(title.c_str());
    const auto count = SendMessageA(hwnd_, TCM_GETITEMCOUNT, 0, 0);
    SendMessageA(hwnd_, TCM_INSERTITEMA, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(&item));
}

RECT TabControl::PageArea() const {
    RECT area;
    GetWindowRect(hwnd_, &area);
    MapWindowPoints(nullptr, GetParent(hwnd_), reinterpret_cast<POINT*>(&area), 2);
    SendMessageA(hwnd_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    return area;
}

ToolTips::ToolTips(HWND owner)
    : hwnd_(CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, nullptr,
                            nullptr)) {
    SendMessageA(hwnd_, TTM_SETMAXTIPWIDTH, 0, 320);
}

void ToolTips::Add(HWND control, const std::string& text) const {
    TTTOOLINFOA info{};
    info.cbSize = TTTOOLINFOA_V1_SIZE;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = GetParent(control);
    info.uId = reinterpret_cast<UINT_PTR>(control);
    info.lpszText = const_cast<char*>(text.c_str());
    SendMessageA(hwnd_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
}

}  // namespace wmb::ui
