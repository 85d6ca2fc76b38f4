#!/usr/bin/env bash
# Draws Morvane's icon: desktop/icons/morvane.svg, and from it the PNG sizes of the hicolor theme
# (desktop/icons/SIZE/morvane.png) and the Windows programs' desktop/icons/morvane.ico. A picture in a raised
# grey frame, as the main window shows one, with a console prompt across its foot. The results are kept in
# the repository; run this only to change the art.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh
need icon

out=desktop/icons
mkdir -p "$out"
cat > "$out/morvane.svg" <<'SVG'
<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 256 256">
  <defs>
    <linearGradient id="body" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="#7a7a7a"/>
      <stop offset="1" stop-color="#4e4e4e"/>
    </linearGradient>
    <linearGradient id="sky" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="#1d2b53"/>
      <stop offset="0.55" stop-color="#7e2553"/>
      <stop offset="1" stop-color="#ff8a3d"/>
    </linearGradient>
    <linearGradient id="sun" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="#fff1a8"/>
      <stop offset="1" stop-color="#ffb347"/>
    </linearGradient>
    <clipPath id="picture">
      <rect x="40" y="40" width="176" height="176" rx="6"/>
    </clipPath>
  </defs>
  <!-- the window: rounded, grey, with the raised frame's light and dark edges -->
  <rect x="8" y="8" width="240" height="240" rx="40" fill="url(#body)"/>
  <rect x="8.5" y="8.5" width="239" height="239" rx="39.5" fill="none" stroke="#222e28" stroke-width="3"/>
  <path d="M 30 220 V 36 a 6 6 0 0 1 6 -6 H 220" fill="none" stroke="#b2b2b2" stroke-width="6"/>
  <path d="M 226 36 V 220 a 6 6 0 0 1 -6 6 H 36" fill="none" stroke="#222e28" stroke-width="6"/>
  <!-- the picture -->
  <g clip-path="url(#picture)">
    <rect x="40" y="40" width="176" height="176" fill="url(#sky)"/>
    <circle cx="160" cy="128" r="34" fill="url(#sun)"/>
    <path d="M 40 170 L 88 112 L 118 146 L 150 100 L 216 168 V 216 H 40 Z" fill="#2a1b3d"/>
    <path d="M 40 188 L 100 150 L 140 176 L 180 150 L 216 174 V 216 H 40 Z" fill="#140d21"/>
    <!-- the console's prompt line -->
    <rect x="40" y="184" width="176" height="32" fill="#000000" fill-opacity="0.55"/>
    <path d="M 54 192 L 66 200 L 54 208" fill="none" stroke="#e0e0e0" stroke-width="5" stroke-linecap="round"
          stroke-linejoin="round"/>
    <rect x="74" y="204" width="22" height="5" rx="1.5" fill="#e0e0e0"/>
  </g>
  <rect x="40" y="40" width="176" height="176" rx="6" fill="none" stroke="#000000" stroke-width="2"/>
</svg>
SVG

for size in 16 24 32 48 64 128 256 512; do
  mkdir -p "$out/$size"
  rsvg-convert --width "$size" --height "$size" --output "$out/$size/morvane.png" "$out/morvane.svg"
done
# The Windows programs' icon (app/win/morvane.rc.in), its sizes in one file.
convert "$out/256/morvane.png" -define icon:auto-resize=256,48,32,16 "$out/morvane.ico"
echo "Drew $out/morvane.svg, its PNG sizes and $out/morvane.ico."
