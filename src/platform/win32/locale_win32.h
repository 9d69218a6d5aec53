#pragma once
// The user's regional settings as the system's locale functions report them.

#include <windows.h>

#include <string>

#include "platform/locale_info.h"

namespace wmb {

class Win32Locale : public LocaleInfo {
public:
    // The first character of the user default locale's decimal separator ('.' when it cannot be read).
    char DecimalSeparator() const override;
    // FormatDateTime of the current local time.
    std::string NowAsText() const override;
    // MultiByteToWideChar with CP_ACP.
    std::u16string AnsiToUtf16(const std::string& text) const override;

    // `time` in the user's short date format, a blank, and the user's long time format.
    static std::string FormatDateTime(const SYSTEMTIME& time);
};

}  // namespace wmb
