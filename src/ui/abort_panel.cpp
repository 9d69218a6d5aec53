#include "ui/abort_panel.h"

#include "ui/art/art_ids.h"
#include "ui/layout.h"
#include "ui/pictures.h"
#include "ui/resource.h"

namespace wmb::ui {
namespace {

constexpr const char* kExplanation =
    "You can abort the benchmark between resolution changes. To abort a test, all you have to do is clicking the "
    "\"Abort Test\" button. The test will abort itself only at the next resolution changing!";
constexpr int kButtonWidth = 160;
constexpr int kButtonHeight = 60;

}  // namespace

void AbortPanel::Create(HWND frame, int width, int height, HFONT font) {
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(frame, GWLP_HINSTANCE));
    picture_ = LoadPicture(instance, IDB_ABORT);
    panel_ = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_CLIPSIBLINGS | SS_WHITERECT | SS_NOTIFY, 0, 0, width,
                             height, frame, reinterpret_cast<HMENU>(IDC_PANEL1), instance, nullptr);
    const RECT b = ScaledRect((538 - kButtonWidth) / 2, 120, kButtonWidth, kButtonHeight);
    button_ = CreateWindowExA(0, "BUTTON", "Abort Test", WS_CHILD | WS_CLIPSIBLINGS | BS_OWNERDRAW, b.left, b.top,
                              b.right - b.left, b.bottom - b.top, frame, reinterpret_cast<HMENU>(IDC_IMAGE2), instance,
                              nullptr);
    const RECT t = ScaledRect(60, 200, 538 - 120, 80);
    text_ = CreateWindowExA(0, "STATIC", kExplanation, WS_CHILD | WS_CLIPSIBLINGS | SS_CENTER, t.left, t.top,
                            t.right - t.left, t.bottom - t.top, frame, reinterpret_cast<HMENU>(IDC_PANELTEXT),
                            instance, nullptr);
    SendMessageA(text_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

void AbortPanel::Show(bool shown) const {
    for (HWND w : {panel_, button_, text_}) {
        if (shown) SetWindowPos(w, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        ShowWindow(w, shown ? SW_SHOW : SW_HIDE);
    }
    if (shown) {
        for (HWND w : {panel_, button_, text_}) RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    }
}

bool AbortPanel::Draw(const DRAWITEMSTRUCT& item) const {
    if (item.hwndItem != button_) return false;
    BITMAP bm{};
    GetObjectA(picture_.Get(), sizeof bm, &bm);
    MemoryDc source(item.hDC);
    SelectedObject selected(source.Get(), picture_.Get());
    const RECT& r = item.rcItem;
    const int shift = (item.itemState & ODS_SELECTED) ? 1 : 0;
    SetStretchBltMode(item.hDC, HALFTONE);
    StretchBlt(item.hDC, r.left + shift, r.top + shift, r.right - r.left, r.bottom - r.top, source.Get(), 0, 0,
               bm.bmWidth, bm.bmHeight, SRCCOPY);
    if (item.itemState & ODS_FOCUS) {
        RECT focus = r;
        InflateRect(&focus, -3, -3);
        DrawFocusRect(item.hDC, &focus);
    }
    return true;
}

}  // namespace wmb::ui
