#pragma once
// Typed views of the standard controls the pages use. A view holds the control's handle only; the
// control belongs to its parent window, which destroys it.

#include <windows.h>
#include <commctrl.h>

#include <span>
#include <string>
#include <utility>
#include <vector>

#include "platform/win32/wrappers/unique_handle.h"

namespace wmb::ui {

// Owner of an image list, destroyed when the owner goes.
using ImageList = UniqueHandle<HIMAGELIST, &ImageList_Destroy>;

class Control {
public:
    Control() = default;
    explicit Control(HWND hwnd) : hwnd_(hwnd) {}
    HWND Handle() const { return hwnd_; }
    int Id() const { return GetDlgCtrlID(hwnd_); }
    std::string Text() const;
    void SetText(const std::string& text) const { SetWindowTextA(hwnd_, text.c_str()); }
    bool Enabled() const { return IsWindowEnabled(hwnd_) != FALSE; }
    void Enable(bool enabled) const { EnableWindow(hwnd_, enabled); }
    void Show(bool shown) const { ShowWindow(hwnd_, shown ? SW_SHOW : SW_HIDE); }
    bool Visible() const { return IsWindowVisible(hwnd_) != FALSE; }

protected:
    HWND hwnd_ = nullptr;
};

using Label = Control;
using Button = Control;

class Edit : public Control {
public:
    using Control::Control;
    void SetLimit(int characters) const { SendMessageA(hwnd_, EM_LIMITTEXT, static_cast<WPARAM>(characters), 0); }
};

class CheckBox : public Control {
public:
    using Control::Control;
    bool Checked() const { return SendMessageA(hwnd_, BM_GETCHECK, 0, 0) == BST_CHECKED; }
    void SetChecked(bool checked) const { SendMessageA(hwnd_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0); }
};

// Radio buttons that make one choice, in their order.
class RadioGroup {
public:
    RadioGroup() = default;
    explicit RadioGroup(std::vector<HWND> items) : items_(std::move(items)) {}
    int Count() const { return static_cast<int>(items_.size()); }
    CheckBox Item(int index) const { return CheckBox(items_[static_cast<std::size_t>(index)]); }
    // The checked item, -1 for none.
    int Index() const;
    void SetIndex(int index) const;

private:
    std::vector<HWND> items_;
};

class ComboBox : public Control {
public:
    using Control::Control;
    void AddItems(std::span<const char* const> items) const;
    void AddItem(const std::string& item) const { SendMessageA(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str())); }
    void Clear() const { SendMessageA(hwnd_, CB_RESETCONTENT, 0, 0); }
    int Count() const { return static_cast<int>(SendMessageA(hwnd_, CB_GETCOUNT, 0, 0)); }
    int Index() const { return static_cast<int>(SendMessageA(hwnd_, CB_GETCURSEL, 0, 0)); }
    void SetIndex(int index) const { SendMessageA(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(index), 0); }
    std::string ItemText(int index) const;
    // The text of the selected item, which a selection notification must read: the box's own text
    // still shows the previous choice while CBN_SELCHANGE is handled.
    std::string SelectedText() const { return ItemText(Index()); }
    // Selects the item with exactly this text; an editable box without one shows the text instead.
    void SelectText(const std::string& text) const;
};

class ListBox : public Control {
public:
    using Control::Control;
    void AddItems(std::span<const char* const> items) const;
    int Index() const { return static_cast<int>(SendMessageA(hwnd_, LB_GETCURSEL, 0, 0)); }
    void SetIndex(int index) const { SendMessageA(hwnd_, LB_SETCURSEL, static_cast<WPARAM>(index), 0); }
    std::string ItemText(int index) const;
};

// An up-down control attached to the edit box before it.
class SpinBox : public Control {
public:
    using Control::Control;
    void Attach(HWND buddy, int low, int high, int start) const;
};

class TabControl : public Control {
public:
    using Control::Control;
    void AddTab(const std::string& title) const;
    int Selected() const { return static_cast<int>(SendMessageA(hwnd_, TCM_GETCURSEL, 0, 0)); }
    void Select(int index) const { SendMessageA(hwnd_, TCM_SETCURSEL, static_cast<WPARAM>(index), 0); }
    // The page area inside the tabs, in the coordinates of the tab control's parent.
    RECT PageArea() const;
};

// Hints shown when the mouse pointer rests on a control.
class ToolTips {
public:
    ToolTips() = default;
    explicit ToolTips(HWND owner);
    void Add(HWND control, const std::string& text) const;

private:
    HWND hwnd_ = nullptr;
};

}  // namespace wmb::ui
