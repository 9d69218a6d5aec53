#pragma once
// The program's general error handler: whatever a window procedure's handler throws is shown to the
// user in an error message box instead of ending the program, or, once the program has installed one,
// goes to the handler of escaped errors (the crash handler).

#include <windows.h>

#include <exception>
#include <string>
#include <type_traits>
#include <utility>

namespace wmb {

// Caption of the error message boxes.
inline constexpr char kErrorCaption[] = "Error";
// Text shown for anything thrown that is not a std::exception.
inline constexpr char kUnknownErrorText[] = "An unknown error occurred.";

// Takes every error the reports below are given, in their place; it does not return.
using EscapedErrorHandler = void (*)(std::exception_ptr error);
void SetEscapedErrorHandler(EscapedErrorHandler handler);

// MessageBoxA with std::string texts; returns the button pressed (IDOK, IDYES, ...).
int MessageBoxText(HWND owner, const std::string& text, const std::string& caption, UINT flags);

// An error message box (OK button, error icon) with the exception's text. Called inside the catch block.
void ReportError(HWND owner, const std::exception& error) noexcept;
void ReportUnknownError(HWND owner) noexcept;

// Runs `handler` and returns its result (`fallback` for a handler that returns nothing); anything
// it throws is reported with `owner` as the message box's owner, and `fallback` is returned.
template <class F>
LRESULT Guarded(HWND owner, F&& handler, LRESULT fallback) {
    try {
        if constexpr (std::is_void_v<std::invoke_result_t<F>>) {
            std::forward<F>(handler)();
            return fallback;
        } else {
            return static_cast<LRESULT>(std::forward<F>(handler)());
        }
    } catch (const std::exception& error) {
        ReportError(owner, error);
    } catch (...) {
        ReportUnknownError(owner);
    }
    return fallback;
}

}  // namespace wmb
