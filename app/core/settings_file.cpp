#include "app/core/settings_file.h"

#include "app/core/utf8_path.h"
#include "platform/files/file_replace.h"
#include "platform/files/input_file.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#endif

namespace morvane::app {

namespace {

constexpr char kUtf8Bom[] = "\xEF\xBB\xBF";

bool starts_with_bom(const std::string& bytes) { return bytes.rfind(kUtf8Bom, 0) == 0; }

#ifdef _WIN32
// The path in the ANSI code page, or nothing when a character has no exact counterpart there.
bool to_ansi(const std::string& utf8, std::string& ansi) {
    if (utf8.empty()) { ansi.clear(); return true; }
    const int wide_len = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), int(utf8.size()), nullptr, 0);
    if (wide_len <= 0) return false;
    std::wstring wide(size_t(wide_len), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), wide.data(), wide_len);
    BOOL used_default = FALSE;
    const int len = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), wide_len, nullptr, 0, nullptr,
                                        &used_default);
    if (len <= 0 || used_default) return false;
    ansi.assign(size_t(len), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), wide_len, ansi.data(), len, nullptr, &used_default);
    return !used_default;
}

std::string from_ansi(const std::string& ansi) {
    if (ansi.empty()) return {};
    const int wide_len = MultiByteToWideChar(CP_ACP, 0, ansi.data(), int(ansi.size()), nullptr, 0);
    std::wstring wide(size_t(wide_len), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), int(ansi.size()), wide.data(), wide_len);
    const int len = WideCharToMultiByte(CP_UTF8, 0, wide.data(), wide_len, nullptr, 0, nullptr, nullptr);
    std::string utf8(size_t(len), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), wide_len, utf8.data(), len, nullptr, nullptr);
    return utf8;
}
#endif

std::string first_line(const std::string& text) {
    const auto end = text.find_first_of("\r\n");
    return end == std::string::npos ? text : text.substr(0, end);
}

}  // namespace

std::filesystem::path config_file(const std::filesystem::path& program_folder) {
    return program_folder / kConfigFileName;
}

std::string encode_config_line(const std::string& console_path) {
#ifdef _WIN32
    std::string ansi;
    if (to_ansi(console_path, ansi)) return ansi + "\r\n";
    return std::string(kUtf8Bom) + console_path + "\r\n";
#else
    return console_path + "\r\n";
#endif
}

std::string decode_config_text(const std::string& file_bytes) {
    if (starts_with_bom(file_bytes)) return first_line(file_bytes.substr(3));
#ifdef _WIN32
    return from_ansi(first_line(file_bytes));
#else
    return first_line(file_bytes);
#endif
}

Result<std::string> read_config(const std::filesystem::path& program_folder) {
    using Stored = Result<std::string>;
    // Only the first line counts, and no path is this long: a huge file costs no more than a small one.
    constexpr std::size_t kMostBytes = 64 * 1024;
    Result<InputFile> in = open_input_file(config_file(program_folder));
    if (!in.ok) return Stored::failed(in);
    std::vector<uint8_t> bytes;
    if (const Outcome read = in.value.read(kMostBytes, bytes); !read.ok) return Stored::failed(read);
    const std::string stored = decode_config_text(std::string(bytes.begin(), bytes.end()));
    if (stored.empty()) return Stored::failed("it names no folder");
    // No folder name holds a control byte (a NUL, an escape): such a file was damaged or is not ours.
    if (std::any_of(stored.begin(), stored.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }))
        return Stored::failed("it holds a control character, so it is damaged or not Morvane's");
    // A folder written by hand as a relative path means the same wherever the program was started from.
    const std::filesystem::path folder = path_from_utf8(stored);
    if (folder.has_root_name() || folder.has_root_directory()) return Stored::made(stored);  // "\\x", "C:x" too
    return Stored::made(utf8_from_path((program_folder / folder).lexically_normal()));
}

Outcome write_config(const std::filesystem::path& program_folder, const std::string& console_path) {
    const auto path = config_file(program_folder);
    // The user's settings folder does not exist before the first start.
    std::error_code ec;
    std::filesystem::create_directories(program_folder, ec);
    if (ec)
        return Outcome::failed("Could not create the folder " + utf8_from_path(program_folder) + ": " + ec.message());
    // Staged as config.dat.new, as it always has been.
    const Outcome written = replace_file(path, encode_config_line(console_path), IfPresent::Replace, ".new");
    if (!written.ok) return Outcome::failed("Could not write " + utf8_from_path(path) + ": " + written.error);
    return written;
}

}  // namespace morvane::app
