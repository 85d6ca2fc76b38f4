#pragma once
#include "tools/cli_options.h"

namespace morvane::cli {

// Builds and writes the background; returns the process exit status (0 on success).
int run_make(const MakeOptions& options);

}  // namespace morvane::cli
