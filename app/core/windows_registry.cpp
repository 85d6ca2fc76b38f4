// The Windows registry for the Steam search. Only built on Windows.
#ifdef _WIN32
#include "app/core/registry_reader.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <string>

namespace morvane::app {

namespace {

std::wstring wide_from_utf8(const std::string& utf8) {
    if (utf8.empty()) return {};
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), nullptr, 0);
    if (length <= 0) return {};
    std::wstring wide(size_t(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), wide.data(), length);
    return wide;
}

std::string utf8_from_wide(const std::wstring& wide) {
    if (wide.empty()) return {};
    const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), nullptr, 0, nullptr, nullptr);
    if (length <= 0) return {};
    std::string utf8(size_t(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), utf8.data(), length, nullptr, nullptr);
    return utf8;
}

}  // namespace

std::string WindowsRegistry::read_text(RegistryRoot root, const std::string& key, const std::string& value) const {
    const HKEY hive = root == RegistryRoot::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
    const std::wstring key_name = wide_from_utf8(key);
    const std::wstring value_name = wide_from_utf8(value);
    // RegGetValueW ends the text with a NUL and expands a REG_EXPAND_SZ into a REG_SZ, which this then accepts
    // (naming REG_EXPAND_SZ as well would need RRF_NOEXPAND, and the call fails without it).
    const DWORD kinds = RRF_RT_REG_SZ;
    for (int attempt = 0; attempt < 3; ++attempt) {  // the value may grow between the two calls
        DWORD bytes = 0;
        if (RegGetValueW(hive, key_name.c_str(), value_name.c_str(), kinds, nullptr, nullptr, &bytes) != ERROR_SUCCESS)
            return {};
        std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
        DWORD size = DWORD(text.size() * sizeof(wchar_t));
        const LSTATUS status = RegGetValueW(hive, key_name.c_str(), value_name.c_str(), kinds, nullptr, text.data(), &size);
        if (status == ERROR_MORE_DATA) continue;
        if (status != ERROR_SUCCESS) return {};
        text.resize(wcsnlen(text.c_str(), text.size()));
        return utf8_from_wide(text);
    }
    return {};
}

}  // namespace morvane::app
#endif
