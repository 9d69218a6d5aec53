#include "platform/win32/wrappers/code_page_text.h"

#include <windows.h>

namespace wmb {
namespace {

std::wstring Wide(const std::string& text, UINT codePage) {
    if (text.empty()) return {};
    const int length = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

std::string Narrow(const std::wstring& wide, UINT codePage) {
    if (wide.empty()) return {};
    const int length =
        WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), text.data(), length, nullptr, nullptr);
    return text;
}

}  // namespace

std::string AnsiToUtf8(const std::string& text) { return Narrow(Wide(text, CP_ACP), CP_UTF8); }

std::string Utf8ToAnsi(const std::string& text) { return Narrow(Wide(text, CP_UTF8), CP_ACP); }

std::string FullPath(const std::string& path) {
    const DWORD length = GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
    if (length == 0) return path;
    std::string full(length, '\0');
    const DWORD written = GetFullPathNameA(path.c_str(), length, full.data(), nullptr);
    if (written == 0 || written >= length) return path;
    full.resize(written);
    return full;
}

}  // namespace wmb
