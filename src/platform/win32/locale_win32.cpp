#include "platform/win32/locale_win32.h"

namespace wmb {

namespace {

template <class Format>
std::string LocaleText(Format format) {
    const int size = format(nullptr, 0);
    if (size <= 0) return std::string();
    std::string text(static_cast<size_t>(size), '\0');
    const int written = format(text.data(), size);
    text.resize(written > 0 ? static_cast<size_t>(written - 1) : 0);  // the count includes the NUL
    return text;
}

}  // namespace

char Win32Locale::DecimalSeparator() const {
    char separator[8] = {};
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, sizeof separator) <= 1) return '.';
    return separator[0];
}

std::string Win32Locale::NowAsText() const {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return FormatDateTime(now);
}

std::u16string Win32Locale::AnsiToUtf16(const std::string& text) const {
    if (text.empty()) return std::u16string();
    const int length = static_cast<int>(text.size());
    const int size = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
    if (size <= 0) return std::u16string();
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), length, wide.data(), size);
    return std::u16string(wide.begin(), wide.end());
}

std::string Win32Locale::FormatDateTime(const SYSTEMTIME& time) {
    const std::string date = LocaleText([&](char* buffer, int size) {
        return GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, buffer, size);
    });
    const std::string clock = LocaleText([&](char* buffer, int size) {
        return GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &time, nullptr, buffer, size);
    });
    return date + " " + clock;
}

}  // namespace wmb
