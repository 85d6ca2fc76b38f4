#include "tools/terminal_progress.h"

#include <unistd.h>

#include <algorithm>
#include <cstdint>

namespace morvane::cli {

TerminalProgress::TerminalProgress(std::FILE* out) : out_(out), in_place_(isatty(fileno(out)) != 0) {}

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
