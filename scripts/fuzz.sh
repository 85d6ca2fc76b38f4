#!/usr/bin/env bash
# Runs one fuzz target for as long as asked, on top of its seed corpus:
#   scripts/fuzz.sh TARGET SECONDS        TARGET: a folder name of tests/fuzz/corpus (vtf_reader, ...)
# Inputs it finds interesting gather in build-sanitizers/fuzz/TARGET-corpus/. An input that fails is saved as
# build-sanitizers/fuzz/TARGET-crash-* (or -leak-, -timeout-, -oom-): fix the fault and copy the input into
# tests/fuzz/corpus/TARGET/, so that the test command replays it from then on.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ $# -ne 2 ] || [ ! -d "tests/fuzz/corpus/$1" ]; then
  echo "usage: scripts/fuzz.sh TARGET SECONDS   (targets: $(ls tests/fuzz/corpus | tr '\n' ' '))" >&2
  exit 2
fi
target=$1
seconds=$2
source scripts/common.sh
need sanitizers
source scripts/sanitizer-build.sh
configure_sanitizer_build
cmake --build "$sanitizer_build" -j "$(nproc)" --target "fuzz-$target"
mkdir -p "$sanitizer_build/fuzz/$target-corpus"
exec "$sanitizer_build/fuzz/$target" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 -print_final_stats=1 \
  -artifact_prefix="$sanitizer_build/fuzz/$target-" "$sanitizer_build/fuzz/$target-corpus" "tests/fuzz/corpus/$target"
