# Sourced by scripts/test-sanitizers.sh and scripts/fuzz.sh after scripts/common.sh: the clang build with
# AddressSanitizer, UndefinedBehaviorSanitizer and the fuzz targets in build-sanitizers/, and how its
# programs are run.
sanitizer_build=build-sanitizers

configure_sanitizer_build() {
  configure "$sanitizer_build" -DCMAKE_CXX_COMPILER=clang++-14 -DMORVANE_FUZZ=ON -DMORVANE_BENCH=OFF > /dev/null
}

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# Leaks inside third-party libraries only; every suppression there names a library, never our code.
export LSAN_OPTIONS="suppressions=$PWD/tests/sanitizers/lsan.supp:print_suppressions=0"
