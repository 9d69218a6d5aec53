#include "ui/upgrade_offer_dialog.h"

#include "ui/controls.h"
#include "ui/resource.h"

namespace wmb::ui {
namespace {

constexpr int kClientWidth = 400;
constexpr int kIconLeft = 12;
constexpr int kIconSize = 32;
constexpr int kLabelLeft = 56;
constexpr int kLabelTop = 12;
constexpr int kLabelRightGap = 11;
constexpr int kPanelHeight = 41;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kButtonTop = 8;  // in the panel
constexpr int kButtonGap = 8;

void Place(HWND control, int x, int y, int w, int h) { MoveWindow(control, x, y, w, h, FALSE); }

}  // namespace

bool UpgradeOfferDialog::Ask(HINSTANCE instance, HWND owner, HFONT font, const std::string& caption,
                             const std::string& labelText, const std::string& yes, const std::string& later) {
    if (Showing()) return false;
    font_ = font;
    labelText_ = labelText;
    yes_ = yes;
    later_ = later;
    controls_ = ControlHandles{};
    if (!CreateDialogWindow(instance, owner, kUpgradeOfferClass, caption.c_str(), kClientWidth, kPanelHeight,
                            GetSysColorBrush(COLOR_BTNFACE))) {
        return false;
    }
    SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    const auto icon = static_cast<HICON>(
        LoadImageA(instance, MAKEINTRESOURCEA(IDR_MAINICON), IMAGE_ICON, kIconSize, kIconSize, LR_SHARED));
    SendMessageA(controls_.Find(IDC_OFFERICON), STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
    FitToText();
    CentreOnScreen();
    const int result = ShowModal();
    DestroyWindow(Handle());
    return result == IDYES;
}

void UpgradeOfferDialog::OnCreate() {
    const ControlRow rows[] = {
        {"STATIC", "", IDC_OFFERICON, kIconLeft, kLabelTop, kIconSize, kIconSize, kChild | SS_ICON},
        {"STATIC", labelText_.c_str(), IDC_OFFERLABEL, kLabelLeft, kLabelTop, 0, 0, kLabel | SS_NOPREFIX},
        {"BUTTON", yes_.c_str(), IDOK, 0, 0, kButtonWidth, kButtonHeight, kChild | WS_TABSTOP | BS_DEFPUSHBUTTON},
        {"BUTTON", later_.c_str(), IDCANCEL, 0, 0, kButtonWidth, kButtonHeight, kButton},
    };
    CreateControls(Handle(), rows, font_, controls_);
    OnCommand(IDOK, BN_CLICKED, [this] { EndModal(IDYES); });
    OnCommand(IDCANCEL, BN_CLICKED, [this] { EndModal(IDNO); });
}

void UpgradeOfferDialog::OnShowing() { SetFocus(controls_.Find(IDOK)); }

void UpgradeOfferDialog::FitToText() {
    RECT window{};
    GetWindowRect(Handle(), &window);
    const int labelWidth = (window.right - window.left) - Scaled(kLabelLeft) - Scaled(kLabelRightGap);
    const HWND label = controls_.Find(IDC_OFFERLABEL);
    const int labelHeight = WrappedTextHeight(label, font_, labelText_, labelWidth);
    Place(label, Scaled(kLabelLeft), Scaled(kLabelTop), labelWidth, labelHeight);

    RECT client{};
    GetClientRect(Handle(), &client);
    const int panelTop = Scaled(kLabelTop) + labelHeight;
    RECT outer{0, 0, client.right, panelTop + Scaled(kPanelHeight)};
    AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongA(Handle(), GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongA(Handle(), GWL_EXSTYLE)));
    SetWindowPos(Handle(), nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    const int buttonTop = panelTop + Scaled(kButtonTop);
    const int laterLeft = client.right - Scaled(kLabelRightGap + kButtonWidth);
    const int yesLeft = laterLeft - Scaled(kButtonGap + kButtonWidth);
    Place(controls_.Find(IDOK), yesLeft, buttonTop, Scaled(kButtonWidth), Scaled(kButtonHeight));
    Place(controls_.Find(IDCANCEL), laterLeft, buttonTop, Scaled(kButtonWidth), Scaled(kButtonHeight));
}

}  // namespace wmb::ui
