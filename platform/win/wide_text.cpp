#include "platform/win/wide_text.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <climits>

namespace morvane {

std::wstring wide_from_utf8(std::string_view utf8) {
    if (utf8.empty() || utf8.size() > size_t(INT_MAX)) return {};
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), nullptr, 0);
    if (n <= 0) return {};
    std::wstring wide(size_t(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), wide.data(), n);
    return wide;
}

std::string utf8_from_wide(std::wstring_view wide) {
    if (wide.empty() || wide.size() > size_t(INT_MAX)) return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), nullptr, 0, nullptr, nullptr);
    if (n <= 0) return {};
    std::string utf8(size_t(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), utf8.data(), n, nullptr, nullptr);
    return utf8;
}

}  // namespace morvane
