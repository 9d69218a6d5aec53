#include "platform/win32/error_handler.h"

namespace wmb {

int MessageBoxText(HWND owner, const std::string& text, const std::string& caption, UINT flags) {
    return MessageBoxA(owner, text.c_str(), caption.c_str(), flags);
}

// The reports allocate nothing, so they cannot throw from inside a catch block.
void ReportError(HWND owner, const std::exception& error) noexcept {
    const char* what = error.what();
    MessageBoxA(owner, what && *what ? what : kUnknownErrorText, kErrorCaption, MB_OK | MB_ICONERROR);
}

void ReportUnknownError(HWND owner) noexcept {
    MessageBoxA(owner, kUnknownErrorText, kErrorCaption, MB_OK | MB_ICONERROR);
}

}  // namespace wmb
