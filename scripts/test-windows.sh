#!/usr/bin/env bash
# The Windows half of the tests: cross-builds (scripts/build-windows.sh), runs the Windows test programs on
# Wine in a fresh prefix under build-windows/ with no display, then checks morvane-cli.exe against the Linux
# build (build/bin/morvane-cli): the same textures byte for byte from a 24-bit BMP, a half-transparent PNG
# and a JPEG photograph; that 16 makes into one folder at once all succeed
# and a full disk is named (scripts/test-windows-files.sh); then morvane.exe itself under Xvfb, driven with
# xdotool, writes the Linux build's textures byte for byte (the built-in picture at 1024, a 24-bit BMP at
# 2048); last, the setup program and the portable zip (scripts/test-windows-setup.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh
need test windows  # the photograph below, and the Linux build beside the Windows one
scripts/build-windows.sh
[ -x build/bin/morvane-cli ] || { configure build > /dev/null && cmake --build build --target morvane-cli; }

# Wine, quiet and on its own: its own prefix, no display, no downloads of Mono or Gecko, code page 1252.
export WINEPREFIX="$PWD/build-windows/wine-prefix" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export LANG=C.UTF-8 LC_ALL=C.UTF-8
unset DISPLAY WAYLAND_DISPLAY
rm -rf "$WINEPREFIX"
trap 'wineserver -k 2> /dev/null || true' EXIT
wineboot --init > /dev/null 2>&1
# Top-level windows without a display: Wine's null graphics driver (the dialogs' and windows' tests).
wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f > /dev/null 2>&1
wineserver -w

log=build-windows/test-results.log
echo "== Windows test programs on Wine ($(wine --version 2> /dev/null))"
# Ours are those of build-windows/tests: libjpeg-turbo's build registers its own, for programs not built here.
if ! ctest --test-dir build-windows/tests -j "$(nproc)" --output-on-failure -V > "$log" 2>&1; then
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
mkdir -p "$work"
photo=/usr/share/backgrounds/mate/nature/Wood.jpg
djpeg -bmp "$photo" > "$work/photo.bmp"  # 24-bit
convert "$work/photo.bmp" -alpha set -channel A -evaluate set 60% "$work/photo.png"
# The system's decoder for the BMP; libpng and libjpeg-turbo, the same code on both systems, for the others.
for case in "photo.bmp 1024 The 24-bit BMP" "photo.png 2048 A half-transparent PNG" "$photo 2048 The photograph (JPEG)"; do
  read -r picture size what <<< "$case"
  [ -f "$picture" ] || picture="$work/$picture"
  rm -rf "$work/linux" "$work/windows"
  mkdir -p "$work/linux" "$work/windows"
  build/bin/morvane-cli make "$picture" --size "$size" --out "$work/linux" > /dev/null
  wine build-windows/bin/morvane-cli.exe make "$picture" --size "$size" --out "$work/windows" > /dev/null
  for file in "$work"/linux/*; do cmp "$file" "$work/windows/$(basename "$file")"; done
  echo "$what at $size gives the same files byte for byte on Linux and on Windows: $(cd "$work/linux" && echo *)"
done

# Many makes into one folder, and a full disk.
scripts/test-windows-files.sh "$work/photo.bmp"

echo "== morvane.exe on Wine under Xvfb against the Linux build"
# The window program as a player runs it: a screen (Xvfb) instead of the null display, keys from xdotool
# with the pointer over the window (without a window manager the keyboard follows the pointer).
wine reg delete 'HKCU\Software\Wine\Drivers' /v Graphics /f > /dev/null 2>&1 || true
wineserver -w
run=build-windows/window-check
rm -rf "$run"
mkdir -p "$run/program" "$run/game/cstrike/custom" "$run/linux-1024" "$run/linux-2048" "$run/shots"
cp build-windows/bin/morvane.exe "$run/program/"
# Today's game: its 64-bit programs, and a gameinfo.txt that reads cstrike/custom/* before its VPKs and its
# loose folder, so that the background goes into a pack of its own.
: > "$run/game/cstrike.exe"
: > "$run/game/cstrike_win64.exe"
printf '"GameInfo"\r\n{\r\n\tFileSystem\r\n\t{\r\n\t\tSearchPaths\r\n\t\t{\r\n%s\t\t}\r\n\t}\r\n}\r\n' \
  "$(printf '\t\t\t%s\r\n' 'game+mod cstrike/custom/*' 'game+mod cstrike/cstrike_pak.vpk' 'game+game_write cstrike')" \
  > "$run/game/cstrike/gameinfo.txt"
console="$run/game/cstrike/custom/morvane/materials/console"
display=90
while [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp > /dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2> /dev/null || true; wineserver -k 2> /dev/null || true' EXIT
export DISPLAY=":$display"
for _ in $(seq 50); do xdotool getmouselocation > /dev/null 2>&1 && break; sleep 0.1; done

# Waits up to $2 seconds (default 60) for a window titled exactly $1; prints its id.
window_named() {
  for _ in $(seq $((${2:-60} * 5))); do
    id=$(xdotool search --name "^$1\$" 2> /dev/null | head -1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.2
  done
  echo "no window \"$1\" appeared" >&2
  return 1
}
# Waits up to 120 seconds for the files to be there.
files_there() {
  for _ in $(seq 600); do
    local all=1
    for f in "$@"; do [ -e "$f" ] || all=0; done
    [ "$all" = 1 ] && return 0
    sleep 0.2
  done
  echo "not written: $*" >&2
  return 1
}
keys_to() {  # keys to the window $1
  xdotool mousemove --window "$1" 410 300
  sleep 0.3
  shift
  xdotool key --delay 150 "$@"
}
shot() { import -window root "$run/shots/$1.png"; }

# First start, no config.dat: the dialog asks for the game's program, and cstrike_win64.exe is typed; the
# built-in picture at "1024 x 1024".
wine "$run/program/morvane.exe" > "$run/first.log" 2>&1 &
first=$!
dialog=$(window_named "Locate Your cstrike.exe or hl2.exe file.")
sleep 1
shot first-start-dialog
xdotool mousemove --window "$dialog" 200 150
xdotool type --delay 20 "$(winepath -w "$run/game/cstrike_win64.exe")"
xdotool key Return
files_there "$run/program/config.dat"
main=$(window_named Morvane)
sleep 1
keys_to "$main" Tab
shot focus-mark
keys_to "$main" space
files_there "$console/background01.vtf" "$console/background01_widescreen.vtf"
sleep 1
shot after-build
keys_to "$main" Tab Tab space  # to the close glyph: the program ends
wait "$first"
build/bin/morvane-cli make --size 1024 --out "$run/linux-1024" > /dev/null
for f in background01.vtf background01_widescreen.vtf; do cmp "$run/linux-1024/$f" "$console/$f"; done
echo "The window's built-in picture at 1024 x 1024 gives the Linux build's textures byte for byte (config.dat: $(tr -d '\r\n' < "$run/program/config.dat"))"

# Second start: config.dat is there, a 24-bit BMP on the command line, "2048 x 2048" chosen with the keyboard.
rm -f "$console"/*.vtf
wine "$run/program/morvane.exe" "$(winepath -w "$work/photo.bmp")" > "$run/second.log" 2>&1 &
second=$!
main=$(window_named Morvane)
sleep 3
keys_to "$main" Down Tab space
sleep 0.5
shot progress-mid-build
files_there "$console/background01.vtf" "$console/background01_widescreen.vtf"
keys_to "$main" Tab Tab space
wait "$second"
build/bin/morvane-cli make "$work/photo.bmp" --size 2048 --out "$run/linux-2048" > /dev/null
for f in background01.vtf background01_widescreen.vtf; do cmp "$run/linux-2048/$f" "$console/$f"; done
echo "The window's 24-bit BMP at 2048 x 2048 gives the Linux build's textures byte for byte; screenshots in $run/shots"

# The setup program and the portable zip, in a prefix of their own.
scripts/test-windows-setup.sh
