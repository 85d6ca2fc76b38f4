# libpng and libjpeg-turbo for the Windows build, compiled with the cross compiler from Debian's source
# packages, which scripts/debian-source.sh fetches (scripts/build-windows.sh passes their folders): Debian has
# neither for MinGW, and the system's own decoders hold the whole picture from the moment they open the file and
# decode a JPEG to other pixels than Linux does. Static, with zlib's static library, so that the programs still
# run without extra DLLs; libjpeg-turbo with its SIMD code (nasm), as Debian builds it.
set(MORVANE_LIBPNG_SOURCE "" CACHE PATH "Debian's libpng source, unpacked (scripts/debian-source.sh)")
set(MORVANE_LIBJPEG_SOURCE "" CACHE PATH "Debian's libjpeg-turbo source, unpacked (scripts/debian-source.sh)")
if(NOT EXISTS "${MORVANE_LIBPNG_SOURCE}/png.h" OR NOT EXISTS "${MORVANE_LIBJPEG_SOURCE}/jpeglib.h")
  message(FATAL_ERROR "The Windows build needs the source of libpng and libjpeg-turbo: build with "
    "scripts/build-windows.sh, which fetches them, or pass the folders that "
    "`scripts/debian-source.sh build-windows/debian-source libpng1.6 libjpeg-turbo` prints as "
    "-DMORVANE_LIBPNG_SOURCE=... -DMORVANE_LIBJPEG_SOURCE=...")
endif()
if(CCACHE_PROGRAM)
  set(CMAKE_C_COMPILER_LAUNCHER ${CCACHE_PROGRAM})
endif()
block()
  set(PNG_SHARED OFF)
  set(PNG_STATIC ON)
  set(PNG_EXECUTABLES OFF)
  set(PNG_TESTS OFF)
  set(SKIP_INSTALL_ALL ON)
  add_subdirectory(${MORVANE_LIBPNG_SOURCE} ${PROJECT_BINARY_DIR}/libpng EXCLUDE_FROM_ALL)
  set(ENABLE_SHARED OFF)
  set(WITH_TURBOJPEG OFF)
  # Its SIMD code or a stop: without nasm it would quietly decode at a fraction of the speed. A search that
  # failed before (nasm missing, or a build folder made with a relative toolchain path) is made again.
  set(REQUIRE_SIMD ON)
  if(NOT CMAKE_ASM_NASM_COMPILER)
    unset(CMAKE_ASM_NASM_COMPILER CACHE)
  endif()
  # Its install rules want folders of this machine's kind; nothing of it is installed.
  set(CMAKE_INSTALL_PREFIX ${PROJECT_BINARY_DIR}/libjpeg-turbo/not-installed)
  set(CMAKE_INSTALL_PREFIX_INITIALIZED_TO_DEFAULT FALSE)
  set(CMAKE_INSTALL_DOCDIR doc)
  # It registers its own tests whatever it is told, for programs that are not built here: the Windows tests are
  # those of build-windows/tests (scripts/test-windows.sh).
  add_subdirectory(${MORVANE_LIBJPEG_SOURCE} ${PROJECT_BINARY_DIR}/libjpeg-turbo EXCLUDE_FROM_ALL)
endblock()
# Their builds name their headers' folders for their own files only (and export their targets for an install).
target_include_directories(png_static INTERFACE
  $<BUILD_INTERFACE:${MORVANE_LIBPNG_SOURCE}> $<BUILD_INTERFACE:${PROJECT_BINARY_DIR}/libpng>)
target_include_directories(jpeg-static INTERFACE
  $<BUILD_INTERFACE:${MORVANE_LIBJPEG_SOURCE}> $<BUILD_INTERFACE:${PROJECT_BINARY_DIR}/libjpeg-turbo>)
