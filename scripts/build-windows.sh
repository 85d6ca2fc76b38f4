#!/usr/bin/env bash
# Installs what is missing and cross-builds for 64-bit Windows, with Debian's MinGW-w64 compilers, everything
# that does not need Qt: the engine, the settings, the window program morvane.exe (Win32, no Qt),
# morvane-cli.exe and their tests, into build-windows/ (build-windows/bin/morvane.exe and morvane-cli.exe run
# on their own, without extra DLLs). libpng and libjpeg-turbo are compiled from Debian's source packages
# (scripts/debian-source.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh
need windows
sources=$(scripts/debian-source.sh build-windows/debian-source libpng1.6 libjpeg-turbo)
{ read -r libpng; read -r libjpeg; } <<< "$sources"
configure build-windows --no-warn-unused-cli -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake" -DMORVANE_WITH_QT=OFF \
  -DMORVANE_LIBPNG_SOURCE="$libpng" -DMORVANE_LIBJPEG_SOURCE="$libjpeg"
cmake --build build-windows -j "$(nproc)"
