#include "tools/terminal_progress.h"

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

#include <algorithm>
#include <cstdint>

namespace morvane::cli {

namespace {

// A console window or terminal, not a file, pipe or the null device.
bool is_console(std::FILE* out) {
#ifdef _WIN32
    DWORD mode = 0;
    const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(out)));
    return handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) != 0;
#else
    return isatty(fileno(out)) != 0;
#endif
}

}  // namespace

TerminalProgress::TerminalProgress(std::FILE* out) : out_(out), in_place_(is_console(out)) {}

void TerminalProgress::set_max(int32_t max) { max_ = max; }

void TerminalProgress::set_value(int32_t value) {
    value_ = value;
    if (value <= 0 || max_ <= 0) return;
    constexpr int kBarWidth = 24;  // characters
    const int filled = int(int64_t(kBarWidth) * std::min(value, max_) / max_);
    std::fprintf(out_, "%sCompressing levels [%.*s%*s] %d/%d%s", in_place_ ? "\r" : "", filled,
                 "########################", kBarWidth - filled, "", value, max_,
                 in_place_ && value < max_ ? "" : "\n");
    std::fflush(out_);
}

}  // namespace morvane::cli
