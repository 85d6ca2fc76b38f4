#!/usr/bin/env bash
# Builds the Debian package of Morvane into build/ and prints its path.
# Install it with: apt install ./build/morvane_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh
need run
configure build > /dev/null
cmake --build build -j "$(nproc)" --target morvane morvane-cli morvane-cli-manual
rm -f build/morvane_*.deb
(cd build && cpack -G DEB > cpack.log 2>&1) || { cat build/cpack.log >&2; exit 1; }
package=$(ls build/morvane_*.deb)
echo "$(realpath "$package")"
