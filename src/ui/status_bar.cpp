#include "ui/status_bar.h"

#include <commctrl.h>

#include "ui/gdi.h"

namespace wmb::ui {
namespace {

LRESULT CALLBACK RedTextProc(HWND bar, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR fontData) {
    if (msg != WM_PAINT) return DefSubclassProc(bar, msg, wp, lp);
    const PaintDc paint(bar);
    const HDC dc = paint.Get();
    RECT r;
    GetClientRect(bar, &r);
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    RECT pane = r;
    InflateRect(&pane, -2, -2);
    DrawEdge(dc, &pane, BDR_SUNKENOUTER, BF_RECT);
    char text[512] = {};
    SendMessageA(bar, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
    const SelectedObject font(dc, reinterpret_cast<HFONT>(fontData));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 0, 0));
    pane.left += 6;
    DrawTextA(dc, text, -1, &pane, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_END_ELLIPSIS | DT_NOPREFIX);
    return 0;
}

}  // namespace

HWND CreateRedStatusBar(HWND parent, int id, HFONT font) {
    HWND bar = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    SendMessageA(bar, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    int edge = -1;
    SendMessageA(bar, SB_SETPARTS, 1, reinterpret_cast<LPARAM>(&edge));
    SetWindowSubclass(bar, RedTextProc, 1, reinterpret_cast<DWORD_PTR>(font));
    return bar;
}

void SetStatusText(HWND bar, const std::string& text) {
    SendMessageA(bar, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(text.c_str()));
    InvalidateRect(bar, nullptr, TRUE);
    UpdateWindow(bar);
}

}  // namespace wmb::ui
