#!/usr/bin/env bash
# Installs what is missing, builds, and starts Morvane.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
# The window; it keeps its one setting, config.dat, beside build/bin/morvane.
exec build/bin/morvane "$@"
