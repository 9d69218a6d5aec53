#pragma once
// Facts of the user's regional settings.

#include <string>

namespace wmb {

class LocaleInfo {
public:
    virtual ~LocaleInfo() = default;
    // Decimal separator of the user's locale ("." or "," usually).
    virtual char DecimalSeparator() const = 0;
    // The current local date and time as the short date format, a blank and the long time format.
    virtual std::string NowAsText() const = 0;
    // 8-bit text in the system's ANSI code page as UTF-16.
    virtual std::u16string AnsiToUtf16(const std::string& text) const = 0;
};

}  // namespace wmb
