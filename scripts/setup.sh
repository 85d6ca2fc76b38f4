#!/usr/bin/env bash
# Installs, where they are missing, the Debian packages that Morvane needs for a purpose:
#   scripts/setup.sh [PROFILE...]     (no profile: run)
# Every profile includes run. The other scripts ask for theirs through `need` (scripts/common.sh).
set -euo pipefail

# run: building Morvane and running its window (scripts/run.sh, scripts/build.sh, scripts/package.sh).
run=(
  build-essential cmake ninja-build pkg-config ccache
  qt6-base-dev libgl-dev libsquish-dev libjpeg-dev libpng-dev
  libgtest-dev libgmock-dev googletest  # every build configures the tests
  help2man  # every build writes morvane-cli's manual page
  fonts-dejavu-core  # the window's close glyph
)
# test: the Linux tests (scripts/test.sh): real photographs for the encoder quality tests, the desktop
# entry's and the metadata's validators, and the benchmarks' library, so that the tests' build compiles them too.
test=(mate-backgrounds desktop-file-utils appstream libbenchmark-dev)
# sanitizers: the clang build under the sanitizers and the libFuzzer targets (scripts/test-sanitizers.sh,
# scripts/fuzz.sh).
sanitizers=(clang-14 libclang-rt-14-dev)
# windows: the cross compiler, dpkg-source and nasm for the libpng and libjpeg-turbo it compiles from Debian's
# source (scripts/debian-source.sh), and Wine for the Windows build and its tests, djpeg for the BMP that compares
# the two builds, a screen without hardware with its keyboard driver and camera for the run of morvane.exe
# itself (scripts/build-windows.sh, scripts/test-windows.sh), and NSIS for the setup program
# (scripts/package-windows.sh).
windows=(g++-mingw-w64-x86-64-posix libz-mingw-w64-dev dpkg-dev nasm wine wine64 libjpeg-turbo-progs nsis xvfb xauth xdotool imagemagick)
# bench: the benchmark program, its photographs, /usr/bin/time, djpeg and ImageMagick (scripts/bench.sh).
bench=(libbenchmark-dev mate-backgrounds time libjpeg-turbo-progs imagemagick)
# icon: drawing the icon (scripts/make_icon.sh).
icon=(librsvg2-bin imagemagick)
# screenshot: the window on a virtual screen, photographed (scripts/make_screenshot.sh).
screenshot=(xvfb xauth xdotool imagemagick librsvg2-bin)

# portable: the portable copy for any Linux and its test (scripts/package-linux.sh, scripts/test-portable.sh):
# Qt's Wayland platform, patchelf for the copy's run paths, debootstrap for the bare Debian it is tested on,
# and a screen without hardware with xdotool and ImageMagick to see its window there.
portable=(qt6-wayland patchelf debootstrap xvfb xauth xdotool imagemagick)

profiles=(run test sanitizers windows bench icon screenshot portable)
[ $# -gt 0 ] || set -- run
packages=("${run[@]}")
for profile in "$@"; do
  if [[ ! " ${profiles[*]} " == *" $profile "* ]]; then
    echo "scripts/setup.sh: no profile \"$profile\"; the profiles are: ${profiles[*]}" >&2
    exit 2
  fi
  declare -n list=$profile
  packages+=("${list[@]}")
  unset -n list
done

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
mapfile -t missing < <(printf '%s\n' "${missing[@]}" | awk 'NF && !seen[$0]++')

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi
