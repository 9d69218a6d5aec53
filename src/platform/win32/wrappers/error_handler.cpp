#include "platform/win32/wrappers/error_handler.h"

namespace wmb {
namespace {

EscapedErrorHandler escaped = nullptr;

}  // namespace

void SetEscapedErrorHandler(EscapedErrorHandler handler) { escaped = handler; }

int MessageBoxText(HWND owner, const std::string& text, const std::string& caption, UINT flags) {
    return MessageBoxA(owner, text.c_str(), caption.c_str(), flags);
}

// The message boxes allocate nothing, so they cannot throw from inside a catch block.
void ReportError(HWND owner, const std::exception& error) noexcept {
    if (escaped) escaped(std::current_exception());
    const char* what = error.what();
    MessageBoxA(owner, what && *what ? what : kUnknownErrorText, kErrorCaption, MB_OK | MB_ICONERROR);
}

void ReportUnknownError(HWND owner) noexcept {
    if (escaped) escaped(std::current_exception());
    MessageBoxA(owner, kUnknownErrorText, kErrorCaption, MB_OK | MB_ICONERROR);
}

}  // namespace wmb
