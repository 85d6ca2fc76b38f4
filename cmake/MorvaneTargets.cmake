# Every folder's sources are globbed so that adding a file needs no edit of a shared list.

set(MORVANE_WARNINGS -Wall -Wextra -Wpedantic)

# morvane_library(NAME DIR [EXCLUDE file...] [SUBDIRS folder...] [LINKS target...])
# A static library of DIR/*.cpp and DIR/FOLDER/*.cpp for each of SUBDIRS (EXCLUDE names are relative to DIR);
# an interface library while there are no sources yet.
function(morvane_library name dir)
  cmake_parse_arguments(ARG "" "" "EXCLUDE;SUBDIRS;LINKS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.cpp)
  foreach(sub IN LISTS ARG_SUBDIRS)
    file(GLOB sub_sources CONFIGURE_DEPENDS ${dir}/${sub}/*.cpp)
    list(APPEND sources ${sub_sources})
  endforeach()
  foreach(ex IN LISTS ARG_EXCLUDE)
    list(REMOVE_ITEM sources ${dir}/${ex})
  endforeach()
  if(sources)
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_compile_options(${name} PRIVATE ${MORVANE_WARNINGS})
    target_link_libraries(${name} PUBLIC ${ARG_LINKS})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${ARG_LINKS})
  endif()
endfunction()

# morvane_tests(NAME DIR [EXCLUDE file...] [MORE_DIRS dir...] [LINKS target...])
# One GoogleTest program of DIR/*.cpp (less EXCLUDE, plus the *.cpp of MORE_DIRS), registered with CTest;
# Qt runs without a display.
function(morvane_tests name dir)
  cmake_parse_arguments(ARG "" "" "EXCLUDE;MORE_DIRS;LINKS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.cpp)
  foreach(ex IN LISTS ARG_EXCLUDE)
    list(REMOVE_ITEM sources ${dir}/${ex})
  endforeach()
  foreach(more IN LISTS ARG_MORE_DIRS)
    file(GLOB more_sources CONFIGURE_DEPENDS ${more}/*.cpp)
    list(APPEND sources ${more_sources})
  endforeach()
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_compile_options(${name} PRIVATE ${MORVANE_WARNINGS})
  target_link_libraries(${name} PRIVATE ${ARG_LINKS} GTest::gtest GTest::gtest_main GTest::gmock)
  if(CMAKE_CROSSCOMPILING)
    # One run of the whole program through the emulator (Wine): starting it once per test would cost more
    # than the tests.
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES TIMEOUT 600)
  else()
    gtest_discover_tests(${name}
      DISCOVERY_MODE PRE_TEST
      DISCOVERY_TIMEOUT 60
      PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 600)
  endif()
endfunction()
