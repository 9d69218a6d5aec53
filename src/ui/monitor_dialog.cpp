#include "ui/monitor_dialog.h"

#include <commctrl.h>

#include "platform/win32/wrappers/display_modes.h"
#include "settings/settings_table.h"
#include "ui/art/art_ids.h"
#include "ui/resource.h"

namespace wmb::ui {
namespace {

constexpr COLORREF kSilver = RGB(192, 192, 192);
constexpr int kItemHeight = 17;
constexpr int kListWidth = 129;

const ControlRow kLayout[] = {
    {"STATIC", "Monitor Resolutions", IDC_MONITORTITLE, 10, 8, 190, 20, kLabel},
    {"BUTTON", "", IDC_MONITORCLOSE, 209, 6, 18, 18, kButton},
    {WC_LISTVIEWA, "", IDC_MONITORLIST, 10, 36, kListWidth, 433,
     kChild | WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL | LVS_SHOWSELALWAYS},
    {"BUTTON", "Add", IDC_MONITORADD, 146, 36, 78, 25, kChild | WS_TABSTOP | BS_DEFPUSHBUTTON},
};

}  // namespace

void MonitorDialog::Create(HINSTANCE instance, HWND owner, HFONT font, HFONT titleFont) {
    font_ = font;
    titleFont_ = titleFont;
    silver_.Reset(CreateSolidBrush(kSilver));
    CreateDialogWindow(instance, owner, kMonitorDialogClass, "Monitor Resolutions", 233, 507, nullptr,
                       Frame::None);
}

void MonitorDialog::OnCreate() {
    CreateControls(Handle(), kLayout, font_, controls_);
    SendMessageA(controls_.Find(IDC_MONITORTITLE), WM_SETFONT, reinterpret_cast<WPARAM>(titleFont_), FALSE);
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(Handle(), GWLP_HINSTANCE));
    closeGlyph_ = GlyphList(instance, IDB_GLYPH_CLOSE);
    closeGlyph_.ShowOn(controls_.Find(IDC_MONITORCLOSE), true);
    hints_ = ToolTips(Handle());
    hints_.Add(controls_.Find(IDC_MONITORCLOSE), "Close");

    const HWND list = controls_.Find(IDC_MONITORLIST);
    ListView_SetExtendedListViewStyle(list, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    // A report view's rows are as high as its small images: a blank image list sets them to 17 pixels.
    rowHeight_.Reset(ImageList_Create(1, Scaled(kItemHeight), ILC_COLOR, 0, 0));
    ListView_SetImageList(list, rowHeight_.Get(), LVSIL_SMALL);
    LVCOLUMNA column{};
    column.mask = LVCF_WIDTH;
    column.cx = Scaled(kListWidth) - GetSystemMetrics(SM_CXVSCROLL) - 4;
    ListView_InsertColumn(list, 0, &column);

    OnCommand(IDC_MONITORADD, BN_CLICKED, [this] { Add(); });
    OnCommand(IDC_MONITORCLOSE, BN_CLICKED, [this] { EndModal(0); });
    OnCommand(IDCANCEL, BN_CLICKED, [this] { EndModal(0); });
    OnCommand(IDOK, BN_CLICKED, [this] { Add(); });
}

LRESULT MonitorDialog::OnMessage(UINT msg, WPARAM wp, LPARAM, bool& handled) {
    switch (msg) {
    case WM_ACTIVATE:
        if (LOWORD(wp) == WA_INACTIVE) {
            FormDeactivate();
        } else {
            FormActivate();
        }
        handled = false;
        return 0;
    case WM_ERASEBKGND: {
        const auto dc = reinterpret_cast<HDC>(wp);
        RECT area;
        GetClientRect(Handle(), &area);
        FillRect(dc, &area, silver_.Get());
        DrawEdge(dc, &area, EDGE_RAISED, BF_RECT);
        return 1;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        SetBkColor(reinterpret_cast<HDC>(wp), kSilver);
        SetBkMode(reinterpret_cast<HDC>(wp), TRANSPARENT);
        return reinterpret_cast<LRESULT>(silver_.Get());
    case WM_SETCURSOR: {
        const int id = GetDlgCtrlID(reinterpret_cast<HWND>(wp));
        if (id == IDC_MONITORCLOSE || id == IDC_MONITORADD) {
            SetCursor(LoadCursor(nullptr, IDC_HAND));
            return TRUE;
        }
        handled = false;
        return 0;
    }
    case WM_DESTROY:
        rowHeight_.Reset();
        handled = false;
        return 0;
    default:
        handled = false;
        return 0;
    }
}

void MonitorDialog::FormActivate() {
    const HWND list = controls_.Find(IDC_MONITORLIST);
    ListView_DeleteAllItems(list);
    modes_ = DisplayModeTexts(EnumerateDisplayModes());
    for (std::size_t i = 0; i < modes_.size(); ++i) {
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(i);
        item.pszText = modes_[i].data();
        ListView_InsertItem(list, &item);
    }
}

void MonitorDialog::Add() {
    const HWND list = controls_.Find(IDC_MONITORLIST);
    std::vector<bool> checked;
    for (std::size_t i = 0; i < modes_.size(); ++i) checked.push_back(ListView_GetCheckState(list, static_cast<int>(i)) != 0);
    chosen_ = ChosenModeSize(modes_, checked);
    EndModal(IDOK);
}

std::optional<ModeSize> MonitorDialog::Ask() {
    chosen_.reset();
    ShowModal();
    return chosen_;
}

}  // namespace wmb::ui
