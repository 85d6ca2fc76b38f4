#!/usr/bin/env bash
# The Windows half of the tests: cross-builds (scripts/build-windows.sh), runs the Windows test programs on
# Wine in a fresh prefix under build-windows/ with no display, then checks morvane-cli.exe against the Linux
# build (build/bin/morvane-cli): the same texture byte for byte from a 24-bit BMP, and a texture from a
# JPEG that the Linux inspect accepts; last, the setup program and the portable zip
# (scripts/test-windows-setup.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build-windows.sh
[ -x build/bin/morvane-cli ] || { cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null &&
                                   cmake --build build --target morvane-cli; }

# Wine, quiet and on its own: its own prefix, no display, no downloads of Mono or Gecko, code page 1252.
export WINEPREFIX="$PWD/build-windows/wine-prefix" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export LANG=C.UTF-8 LC_ALL=C.UTF-8
unset DISPLAY WAYLAND_DISPLAY
rm -rf "$WINEPREFIX"
trap 'wineserver -k 2> /dev/null || true' EXIT
wineboot --init > /dev/null 2>&1
wineserver -w

log=build-windows/test-results.log
echo "== Windows test programs on Wine ($(wine --version 2> /dev/null))"
if ! ctest --test-dir build-windows -j "$(nproc)" --output-on-failure -V > "$log" 2>&1; then
  grep -E "^[0-9]+: |tests passed|FAILED|Failed" "$log" | grep -vE "\[ (RUN|      OK) " | tail -80
  echo "Windows tests failed; the whole output is in $log"
  exit 1
fi
programs=$(grep -cE "^[0-9]+: \[  PASSED  \]" "$log")
tests=$(grep -E "^[0-9]+: \[  PASSED  \]" "$log" | awk '{ n += $5 } END { print n + 0 }')
echo "$programs test programs, $tests tests passed on Wine"

echo "== morvane-cli.exe on Wine against the Linux build"
work=build-windows/cross-check
rm -rf "$work"
mkdir -p "$work/linux" "$work/windows" "$work/jpeg"
photo=/usr/share/backgrounds/mate/nature/Wood.jpg
djpeg -bmp "$photo" > "$work/photo.bmp"  # 24-bit
build/bin/morvane-cli make "$work/photo.bmp" --size 1024 --out "$work/linux" > /dev/null
wine build-windows/bin/morvane-cli.exe make "$work/photo.bmp" --size 1024 --out "$work/windows" > /dev/null
for file in "$work"/linux/*; do cmp "$file" "$work/windows/$(basename "$file")"; done
echo "The 24-bit BMP gives the same files byte for byte on Linux and on Windows: $(cd "$work/linux" && echo *)"
wine build-windows/bin/morvane-cli.exe make "$photo" --size 2048 --out "$work/jpeg" > /dev/null
build/bin/morvane-cli inspect "$work/jpeg/background01.vtf" | tail -1

# The setup program and the portable zip, in a prefix of their own.
scripts/test-windows-setup.sh
