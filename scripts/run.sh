#!/usr/bin/env bash
# Installs what building and running the window need where it is missing (scripts/build.sh), builds, and
# starts Morvane.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
# The window; it keeps its one setting, config.dat, beside build/bin/morvane.
exec build/bin/morvane "$@"
