#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure -j "$(nproc)"
# Again under AddressSanitizer and UndefinedBehaviorSanitizer, and a short run of every fuzz target.
scripts/test-sanitizers.sh
