#!/usr/bin/env bash
# Takes the screenshot of the AppStream metadata, desktop/screenshot.png: the main window as a user sees it,
# started as `morvane PICTURE` on a virtual screen (Xvfb), with a game already located and a sunset picture
# drawn here loaded. The result is kept in the repository; run this only when the window's look changes.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh
need screenshot
configure build > /dev/null
cmake --build build -j "$(nproc)" --target morvane > /dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A portable copy with its own config.dat, so the build tree's settings stay as they are.
mkdir -p "$work/program" "$work/game/cstrike/materials/console"
cp build/bin/morvane "$work/program/"
touch "$work/game/hl2.exe"
printf '%s\r\n' "$work/game/cstrike/materials/console" > "$work/program/config.dat"

cat > "$work/sunset.svg" <<'SVG'
<svg xmlns="http://www.w3.org/2000/svg" width="1600" height="900" viewBox="0 0 1600 900">
  <defs>
    <linearGradient id="sky" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="#1d2b53"/><stop offset="0.3" stop-color="#7e2553"/>
      <stop offset="0.55" stop-color="#ff8a3d"/>
    </linearGradient>
    <radialGradient id="sun"><stop offset="0" stop-color="#fff6c8"/><stop offset="1" stop-color="#ffb347"/></radialGradient>
  </defs>
  <rect width="1600" height="900" fill="url(#sky)"/>
  <circle cx="1020" cy="330" r="110" fill="url(#sun)"/>
  <path d="M0 480 L300 300 L520 420 L760 250 L1080 450 L1320 330 L1600 480 V900 H0 Z" fill="#2a1b3d"/>
  <path d="M0 560 L380 470 L700 530 L1000 480 L1600 560 V900 H0 Z" fill="#140d21"/>
</svg>
SVG
rsvg-convert --output "$work/sunset.png" "$work/sunset.svg"

cat > "$work/shoot.sh" <<'SHOT'
#!/usr/bin/env bash
set -euo pipefail
work=$1 out=$2
"$work/program/morvane" "$work/sunset.png" &
pid=$!
window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Morvane$' | head -1)
sleep 5  # the fade-in, then the picture
import -window "$window" "$out"
kill "$pid"
SHOT
chmod +x "$work/shoot.sh"
xvfb-run -a -s "-screen 0 1024x768x24" "$work/shoot.sh" "$work" "$work/shot.png"
convert "$work/shot.png" -strip desktop/screenshot.png
echo "Took desktop/screenshot.png ($(identify -format '%w x %h' desktop/screenshot.png))."
