#!/usr/bin/env bash
# The test suite again under AddressSanitizer and UndefinedBehaviorSanitizer, built with clang in its own
# folder; the first report ends the program, so the test that trips it fails. Then every fuzz target for a
# fixed number of inputs from a fixed seed, starting from its corpus. Prints the time of each part.
# Called by scripts/test.sh; runs on its own too.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh
need test sanitizers
source scripts/sanitizer-build.sh

start=$SECONDS
configure_sanitizer_build
cmake --build "$sanitizer_build" -j "$(nproc)"
built=$SECONDS
ctest --test-dir "$sanitizer_build" --output-on-failure -j "$(nproc)" -LE fuzz
tested=$SECONDS
ctest --test-dir "$sanitizer_build" --output-on-failure -L fuzz
fuzzed=$SECONDS
echo "Sanitizers: build $((built - start)) s, tests $((tested - built)) s, fuzz runs $((fuzzed - tested)) s"
