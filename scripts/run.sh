#!/usr/bin/env bash
# Installs what is missing, builds, and starts Morvane.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
if [ -x build/bin/morvane ]; then
  exec build/bin/morvane "$@"
fi
# Until the window exists: build the background from the built-in picture into out/.
mkdir -p out
exec build/bin/morvane-cli make --size 1024 --out out "$@"
