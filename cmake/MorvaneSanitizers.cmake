# Builds for hostile input, each in a build folder of its own (scripts/test-sanitizers.sh, scripts/fuzz.sh).
#   MORVANE_SANITIZE: AddressSanitizer and UndefinedBehaviorSanitizer on everything; the first report ends the
#                     program (no recovery), so a test that trips one fails.
#   MORVANE_FUZZ:     also the libFuzzer targets of tests/fuzz, with every library instrumented for their
#                     coverage (clang only).
option(MORVANE_SANITIZE "Build everything with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(MORVANE_FUZZ "Build the libFuzzer targets of tests/fuzz (needs clang; implies MORVANE_SANITIZE)" OFF)

if(MORVANE_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "MORVANE_FUZZ needs clang (libFuzzer): configure with -DCMAKE_CXX_COMPILER=clang++-14")
  endif()
  set(MORVANE_SANITIZE ON)
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()

if(MORVANE_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined -fno-sanitize-recover=all)
endif()
