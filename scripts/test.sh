#!/usr/bin/env bash
# Installs what is missing (once, for every part below), builds, and runs every test: the Linux half, then
# the Windows half on Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh
start=$SECONDS
need test sanitizers windows portable
scripts/build.sh
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure -j "$(nproc)"
# The portable copy on a bare Debian, which its first run makes (about two minutes) and later runs reuse.
scripts/test-portable.sh
# Again under AddressSanitizer and UndefinedBehaviorSanitizer, and a short run of every fuzz target.
scripts/test-sanitizers.sh
linux_seconds=$((SECONDS - start))
scripts/test-windows.sh
echo "Linux half: ${linux_seconds} s; Windows half: $((SECONDS - start - linux_seconds)) s"
