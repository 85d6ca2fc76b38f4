#!/usr/bin/env bash
# Measures Morvane's DXT encoder against libsquish on real photographs, in one run:
#   1. morvane-bench on the photographs of Debian's mate-backgrounds package (nature/*.jpg, installed when
#      missing) at 1024 and 2048: capture of the mip chain, compression of the chain by our encoder,
#      libsquish's iterative cluster fit and its range fit (each on all cores), RGB PSNR of the decoded top
#      level, and the ratios;
#   2. the whole `morvane-cli make` (load, capture, compress, write) at both sizes with our encoder and with
#      libsquish, time and peak memory by /usr/bin/time -v, on a 3840 x 2400 photograph made from the set.
# Usage: scripts/bench.sh [--quick]   (--quick: two photographs only)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh mate-backgrounds time
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build build -j "$(nproc)" --target morvane-bench morvane-cli > /dev/null

photos=/usr/share/backgrounds/mate/nature
set -- "$@"
inputs=("$photos")
if [ "${1:-}" = "--quick" ]; then inputs=("$photos/Aqua.jpg" "$photos/Wood.jpg"); fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
large="$work/large_3840x2400.jpg"
build/bin/morvane-bench --make-photo "$photos/Wood.jpg" 3840x2400 "$large"

echo "== DXT5 mip chains: morvane against libsquish (machine: $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg))"
build/bin/morvane-bench --sizes 1024,2048 "${inputs[@]}" "$large"

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
