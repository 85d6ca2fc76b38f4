#!/usr/bin/env bash
# Measures Morvane's DXT encoder against libsquish on real photographs, in one run:
#   1. morvane-bench on the photographs of Debian's mate-backgrounds package (nature/*.jpg, installed when
#      missing) and on square cuts of their most detailed regions (grass, foliage, wood grain; cut with
#      ImageMagick and resized to 2048 x 2048 with its Lanczos filter) at 1024 and 2048: capture of the mip
#      chain, compression of the chain by our encoder, libsquish's iterative cluster fit and its range fit
#      (each on all cores), RGB PSNR of the decoded top level, the share of blocks that took the expensive
#      search, the whole `morvane-cli make` of the same picture (median of three, run right after libsquish's
#      fit), and the ratios;
#   2. the whole `morvane-cli make` (load, capture, compress, write) at both sizes with our encoder and with
#      libsquish, time and peak memory by /usr/bin/time -v, on a 3840 x 2400 photograph made from the set;
#   3. wallpapers: `morvane-cli make` at both sizes on a 2560 x 1600 JPEG, a 5120 x 2880 JPEG and a 3840 x 2160
#      PNG made from the set, median wall and processor time of five runs and peak memory, beside the decoder
#      alone on the same file (libjpeg-turbo's djpeg writing a PPM, and our picture loader), so that the
#      remainder is visible.
# Usage: scripts/bench.sh [--quick | --wallpapers] [--baseline CLI]   (--quick: two photographs and two cuts only;
# --wallpapers: table 3 only; --baseline: a build from before a change, whose morvane-cli's make tables 1 and 4
# time too, taking turns with ours)
set -euo pipefail
mode=
baseline=()
while [ $# -gt 0 ]; do
  case "$1" in
    --quick | --wallpapers) mode=$1 ;;
    --baseline) baseline=(--baseline "$(realpath -e "${2:?--baseline needs a morvane-cli}")"); shift ;;
    *) echo "usage: scripts/bench.sh [--quick | --wallpapers] [--baseline CLI]" >&2; exit 2 ;;
  esac
  shift
done
cd "$(dirname "$0")/.."
source scripts/common.sh
need bench
configure build > /dev/null
cmake --build build -j "$(nproc)" --target morvane-bench morvane-cli > /dev/null

photos=/usr/share/backgrounds/mate/nature
inputs=("$photos")
# The detailed cuts: photograph, ImageMagick's gravity, the square's side (the photograph's short side, so
# that the cut is enlarged as little as the photograph allows), the cut's name.
cuts=(
  "Dune.jpg SouthEast 1050 dune_grass.png"
  "GreenMeadow.jpg Center 1024 meadow_grass.png"
  "RainDrops.jpg East 1200 raindrops_grass.png"
  "Wood.jpg SouthWest 1920 wood_grain.png"
  "LadyBird.jpg NorthWest 1600 ladybird_foliage.png"
)
if [ "$mode" = "--quick" ]; then
  inputs=("$photos/Aqua.jpg" "$photos/Wood.jpg")
  cuts=("${cuts[0]}" "${cuts[3]}")
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if [ "$mode" != "--wallpapers" ]; then
large="$work/large_3840x2400.jpg"
build/bin/morvane-bench --make-photo "$photos/Wood.jpg" 3840x2400 "$large"
mkdir -p "$work/cuts"
for cut in "${cuts[@]}"; do
  read -r photo gravity side name <<< "$cut"
  convert "$photos/$photo" -gravity "$gravity" -crop "${side}x${side}+0+0" +repage -filter Lanczos \
    -resize '2048x2048!' "$work/cuts/$name"
done

echo "== DXT5 mip chains: morvane against libsquish (machine: $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg))"
build/bin/morvane-bench --sizes 1024,2048 --make-with build/bin/morvane-cli "${baseline[@]}" "${inputs[@]}" "$large" \
  "$work/cuts"

echo
echo "== morvane-cli make on a 3840 x 2400 photograph (load, capture, compress, write)"
printf '%-8s %-8s %10s %12s\n' size encoder "wall s" "peak MB"
for size in 1024 2048; do
  for encoder in morvane squish; do
    out="$work/out-$size-$encoder"
    mkdir -p "$out"
    /usr/bin/time -v -o "$work/time.txt" build/bin/morvane-cli make "$large" --size "$size" --out "$out" \
      --encoder "$encoder" > /dev/null
    wall=$(awk -F': ' '/Elapsed \(wall clock\)/ {print $2}' "$work/time.txt" | awk -F: '{ if (NF == 3) print $1*3600 + $2*60 + $3; else print $1*60 + $2 }')
    peak=$(awk -F': ' '/Maximum resident set size/ {printf "%.1f", $2 / 1024}' "$work/time.txt")
    printf '%-8s %-8s %10.2f %12s\n' "$size" "$encoder" "$wall" "$peak"
  done
done
fi

# Median of the numbers on standard input.
median() { sort -g | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# Runs "$@" five times; prints median wall s, median processor s (user + system), largest peak MB.
measure() {
  local walls=() cpus=() peak=0
  for run in 1 2 3 4 5; do
    /usr/bin/time -f '%e %U %S %M' -o "$work/t.txt" "$@" > /dev/null 2>&1
    read -r wall user sys kb < "$work/t.txt"
    walls+=("$wall")
    cpus+=("$(awk -v u="$user" -v s="$sys" 'BEGIN { print u + s }')")
    peak=$(( kb > peak ? kb : peak ))
  done
  printf '%s %s %s\n' "$(printf '%s\n' "${walls[@]}" | median)" "$(printf '%s\n' "${cpus[@]}" | median)" \
    "$(awk -v k="$peak" 'BEGIN { printf "%.1f", k / 1024 }')"
}

echo
echo "== morvane-cli make on wallpapers (median of 5 runs; load $(cut -d' ' -f1-3 /proc/loadavg))"
wallpapers=("$work/wallpaper_2560x1600.jpg" "$work/wallpaper_5120x2880.jpg" "$work/wallpaper_3840x2160.png")
build/bin/morvane-bench --make-photo "$photos/Garden.jpg" 2560x1600 "${wallpapers[0]}"
build/bin/morvane-bench --make-photo "$photos/Wood.jpg" 5120x2880 "${wallpapers[1]}"
build/bin/morvane-bench --make-photo "$photos/LadyBird.jpg" 3840x2160 "${wallpapers[2]}"
printf '%-26s %5s %8s %8s %8s | %9s %9s | %9s\n' picture size "wall s" "cpu s" "peak MB" "djpeg s" "loader s" "make/djpeg"
for picture in "${wallpapers[@]}"; do
  djpeg_s="-"
  case "$picture" in
    *.jpg) read -r djpeg_s _ _ < <(measure djpeg -outfile "$work/decoded.ppm" "$picture") ;;
  esac
  read -r loader_s _ _ < <(measure build/bin/morvane-bench --load "$picture")
  for size in 1024 2048; do
    mkdir -p "$work/wallpaper-$size"
    read -r wall cpu peak < <(measure build/bin/morvane-cli make "$picture" --size "$size" --out "$work/wallpaper-$size")
    ratio="-"
    [ "$djpeg_s" = "-" ] || ratio=$(awk -v m="$wall" -v d="$djpeg_s" 'BEGIN { printf "%.2fx", m / d }')
    printf '%-26s %5s %8.3f %8.3f %8s | %9s %9s | %9s\n' "$(basename "$picture")" "$size" "$wall" "$cpu" "$peak" \
      "$djpeg_s" "$loader_s" "$ratio"
  done
done

# /usr/bin/time counts in hundredths and the runs above come one command after the other; the two targets
# are ratios, so they are measured again with the commands taking turns, to the millisecond.
echo
echo "== the 5120 x 2880 JPEG at 2048 against djpeg, and a 2048 x 2048 BMP, taking turns (20 rounds)"
square="$work/square_2048.bmp"
build/bin/morvane-bench --make-photo "$photos/Wood.jpg" 2048x2048 "$square"
mkdir -p "$work/turns"
turns=("djpeg -outfile $work/decoded.ppm ${wallpapers[1]}" "build/bin/morvane-cli make ${wallpapers[1]} --size 2048 --out $work/turns"
  "build/bin/morvane-cli make $square --size 2048 --out $work/turns")
if [ ${#baseline[@]} -gt 0 ]; then
  turns+=("${baseline[1]} make ${wallpapers[1]} --size 2048 --out $work/turns" "${baseline[1]} make $square --size 2048 --out $work/turns")
fi
bench/interleaved_runs.py 20 "${turns[@]}"
