#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Morvane need, where they are missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config ccache
  qt6-base-dev libgl-dev libsquish-dev libjpeg-dev libpng-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  fonts-dejavu-core
  mate-backgrounds  # real photographs for the encoder quality tests and the benchmark
  help2man desktop-file-utils appstream  # the manual page, and the desktop entry's and metadata's checks
  clang-14 libclang-rt-14-dev  # the sanitizer build and the libFuzzer targets (scripts/test-sanitizers.sh)
)
# With --windows also the cross compiler and Wine for the Windows build and its tests, djpeg for the BMP
# that compares the two builds, a screen without hardware with its keyboard driver and camera for the run of
# morvane.exe itself (scripts/build-windows.sh, scripts/test-windows.sh), and NSIS for the setup program
# (scripts/package-windows.sh).
windows_packages=(g++-mingw-w64-x86-64-posix wine wine64 libjpeg-turbo-progs nsis xvfb xauth xdotool imagemagick)
if [ "${1:-}" = "--windows" ]; then
  shift
  packages+=("${windows_packages[@]}")
fi
packages+=("$@")

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi
