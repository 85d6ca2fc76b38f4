#pragma once
// The build's progress on a terminal: one step per compressed level, redrawn in place on a terminal and
// one line per step when the output goes to a file or pipe.
#include "texture/vtfmod.h"

#include <cstdio>

namespace morvane::cli {

class TerminalProgress : public texture::BuildProgress {
public:
    explicit TerminalProgress(std::FILE* out);
    void set_max(int32_t max) override;
    int32_t value() override { return value_; }
    void set_value(int32_t value) override;
    void yield() override {}

private:
    std::FILE* out_;
    bool in_place_;
    int32_t max_ = 0;
    int32_t value_ = 0;
};

}  // namespace morvane::cli
