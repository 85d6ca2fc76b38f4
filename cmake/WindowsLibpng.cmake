# libpng for the Windows build, compiled with the cross compiler from Debian's source package, which
# scripts/libpng-source.sh fetches (scripts/build-windows.sh passes its folder): Debian has no libpng for MinGW,
# and the system's own PNG decoder holds the whole picture from the moment it opens the file. Static, with
# zlib's static library, so that the programs still run without extra DLLs.
set(MORVANE_LIBPNG_SOURCE "" CACHE PATH "Debian's libpng source, unpacked (scripts/libpng-source.sh prints where)")
if(NOT EXISTS "${MORVANE_LIBPNG_SOURCE}/png.h")
  message(FATAL_ERROR "The Windows build needs libpng's source: build with scripts/build-windows.sh, which fetches "
    "it, or configure with -DMORVANE_LIBPNG_SOURCE=\"$(scripts/libpng-source.sh)\"")
endif()
set(PNG_SHARED OFF CACHE BOOL "" FORCE)
set(PNG_STATIC ON CACHE BOOL "" FORCE)
set(PNG_EXECUTABLES OFF CACHE BOOL "" FORCE)
set(PNG_TESTS OFF CACHE BOOL "" FORCE)
set(SKIP_INSTALL_ALL ON CACHE BOOL "" FORCE)
if(CCACHE_PROGRAM)
  set(CMAKE_C_COMPILER_LAUNCHER ${CCACHE_PROGRAM})
endif()
add_subdirectory(${MORVANE_LIBPNG_SOURCE} ${PROJECT_BINARY_DIR}/libpng EXCLUDE_FROM_ALL)
# libpng's build names its headers' folders for its own files only.
target_include_directories(png_static INTERFACE ${MORVANE_LIBPNG_SOURCE} ${PROJECT_BINARY_DIR}/libpng)
