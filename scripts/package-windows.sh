#!/usr/bin/env bash
# Installs what is missing, cross-builds (scripts/build-windows.sh) and packages the Windows programs into
# build-windows/: morvane-VERSION-setup.exe (the setup program) and morvane-VERSION-windows-x64.zip (the
# portable copy), both with the stripped programs. Prints the two files and the sizes, in bytes, of them and
# of each program, with the version and the icon that each program's resources hold.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build-windows.sh
cmake --build build-windows --target windows-packages > build-windows/package.log 2>&1 ||
  { cat build-windows/package.log >&2; exit 1; }
for file in build-windows/morvane-*-setup.exe build-windows/morvane-*-windows-x64.zip; do
  printf '%12d bytes  %s\n' "$(stat -c %s "$file")" "$(realpath "$file")"
done
for program in build-windows/package/morvane-*-windows-x64/*.exe; do
  resources=$(x86_64-w64-mingw32-windres -i "$program" -O rc 2> /dev/null || true)
  version=$(sed -n 's/^ *VALUE "ProductVersion", "\(.*\)"$/\1/p' <<< "$resources")
  icon="no icon"
  grep -q '^/\* Type: group icon' <<< "$resources" && icon="icon"
  printf '%12d bytes  %s (stripped; version %s, %s)\n' "$(stat -c %s "$program")" "$(realpath "$program")" \
    "${version:-resource missing}" "$icon"
done
