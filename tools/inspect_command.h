#pragma once
#include "tools/cli_options.h"

namespace morvane::cli {

// Prints the header and block table of a VTF file; 0 when its blocks add up to its length, else 1.
int run_inspect(const InspectOptions& options);

}  // namespace morvane::cli
