#!/usr/bin/env bash
# Installs what building needs where it is missing, then configures and builds Morvane into build/.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh
need run
configure build
cmake --build build -j "$(nproc)"
