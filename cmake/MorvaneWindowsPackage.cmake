# `cmake --build build-windows --target windows-packages` (scripts/package-windows.sh): the setup program
# and the portable zip of the Windows build, both named with the project's version:
#   morvane-VERSION-setup.exe         (makensis, desktop/win/morvane.nsi)
#   morvane-VERSION-windows-x64.zip   (the folder morvane-VERSION-windows-x64 with the programs, README.txt,
#                                      LICENSE.txt and the licences of what they carry, licences/)
# Both hold the same stripped programs; morvane.exe is packaged when the build has it.
find_program(MORVANE_MAKENSIS makensis)
if(NOT MORVANE_MAKENSIS OR NOT CMAKE_STRIP)
  message(STATUS "makensis or strip not found: no target windows-packages (scripts/package-windows.sh installs them)")
  return()
endif()

set(MORVANE_WINDOWS_FOLDER morvane-${PROJECT_VERSION}-windows-x64)
set(MORVANE_WINDOWS_STAGE ${PROJECT_BINARY_DIR}/package/${MORVANE_WINDOWS_FOLDER})
set(MORVANE_WINDOWS_SETUP ${PROJECT_BINARY_DIR}/morvane-${PROJECT_VERSION}-setup.exe)
set(MORVANE_WINDOWS_ZIP ${PROJECT_BINARY_DIR}/${MORVANE_WINDOWS_FOLDER}.zip)

# Windows' own line ends, so that Notepad of any age shows the texts as written.
configure_file(${PROJECT_SOURCE_DIR}/README.md ${PROJECT_BINARY_DIR}/package/README.txt @ONLY NEWLINE_STYLE CRLF)
configure_file(${PROJECT_SOURCE_DIR}/LICENSE.txt ${PROJECT_BINARY_DIR}/package/LICENSE.txt @ONLY NEWLINE_STYLE CRLF)

# The licences of what the programs carry besides Morvane, one per Debian source package as Debian gives them,
# and the common licence texts they refer to, as the portable Linux copy has them: libjpeg-turbo and libpng as
# compiled here (libjpeg-turbo's licences ask for its notices beside a program that carries it), zlib, and the
# compiler's and MinGW-w64's runtime libraries. As .txt files with Windows' line ends, for Notepad.
set(MORVANE_WINDOWS_LICENCES ${PROJECT_BINARY_DIR}/package/licences)
file(REMOVE_RECURSE ${MORVANE_WINDOWS_LICENCES})
function(windows_text source name)
  file(REAL_PATH ${source} real)  # GPL is a link to GPL-3: Windows is given the text
  file(READ ${real} text)
  string(REPLACE "\n" "\r\n" text "${text}")
  file(WRITE ${MORVANE_WINDOWS_LICENCES}/${name}.txt "${text}")
endfunction()
set(copyrights libjpeg-turbo ${MORVANE_LIBJPEG_SOURCE}/debian/copyright libpng1.6 ${MORVANE_LIBPNG_SOURCE}/debian/copyright
  libz-mingw-w64 /usr/share/doc/libz-mingw-w64-dev/copyright mingw-w64 /usr/share/doc/mingw-w64-common/copyright
  gcc-mingw-w64 /usr/share/doc/gcc-mingw-w64-base/copyright)
while(copyrights)
  list(POP_FRONT copyrights package copyright)
  if(NOT EXISTS ${copyright})
    message(FATAL_ERROR "No licence of ${package} at ${copyright}: the Windows packages must carry it "
      "(scripts/setup.sh windows installs the packages, scripts/build-windows.sh fetches the sources)")
  endif()
  windows_text(${copyright} ${package})
  file(STRINGS ${copyright} lines REGEX "/usr/share/common-licenses/")
  string(REGEX MATCHALL "/usr/share/common-licenses/[A-Za-z0-9.+-]*[A-Za-z0-9+]" texts "${lines}")
  foreach(text IN LISTS texts)
    get_filename_component(name ${text} NAME)
    if(EXISTS ${text})
      windows_text(${text} ${name})
    endif()
  endforeach()
endwhile()

# VERSIONINFO wants four numbers.
set(version_quad ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR})
foreach(part PATCH TWEAK)
  if(PROJECT_VERSION_${part} STREQUAL "")
    string(APPEND version_quad .0)
  else()
    string(APPEND version_quad .${PROJECT_VERSION_${part}})
  endif()
endforeach()

# The types "Open with" offers Morvane for: the one list of picture kinds (cmake/PictureKinds.cmake).
set(picture_kinds_nsh ${PROJECT_BINARY_DIR}/package/picture_kinds.nsh)
set(nsh "; Made by cmake/MorvaneWindowsPackage.cmake from platform/codecs/picture_kinds.h.\n")
foreach(macro IN ITEMS OfferToOpen StopOfferingToOpen)
  string(APPEND nsh "!macro ${macro}EachKind\n")
  foreach(extension IN LISTS MORVANE_PICTURE_EXTENSIONS)
    string(APPEND nsh "  !insertmacro ${macro} \"${extension}\"\n")
  endforeach()
  string(APPEND nsh "!macroend\n")
endforeach()
file(WRITE ${picture_kinds_nsh} "${nsh}")

set(programs morvane-cli)
set(nsis_options -V2 -DPICTURE_KINDS=${picture_kinds_nsh} -DVERSION=${PROJECT_VERSION} -DVERSION_QUAD=${version_quad} -DSTAGE=${MORVANE_WINDOWS_STAGE}
                 -DOUTFILE=${MORVANE_WINDOWS_SETUP})
if(TARGET morvane)
  list(APPEND programs morvane)
  list(APPEND nsis_options -DWINDOW)
endif()
if(EXISTS ${PROJECT_SOURCE_DIR}/desktop/icons/morvane.ico)
  list(APPEND nsis_options -DICON=${PROJECT_SOURCE_DIR}/desktop/icons/morvane.ico)
endif()

set(strip_commands)
foreach(program IN LISTS programs)
  list(APPEND strip_commands
       COMMAND ${CMAKE_STRIP} --strip-all -o ${MORVANE_WINDOWS_STAGE}/${program}.exe $<TARGET_FILE:${program}>)
endforeach()

add_custom_target(windows-packages
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${MORVANE_WINDOWS_STAGE} ${MORVANE_WINDOWS_SETUP} ${MORVANE_WINDOWS_ZIP}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${MORVANE_WINDOWS_STAGE}
  ${strip_commands}
  COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_BINARY_DIR}/package/README.txt ${PROJECT_BINARY_DIR}/package/LICENSE.txt
          ${MORVANE_WINDOWS_STAGE}
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${MORVANE_WINDOWS_LICENCES} ${MORVANE_WINDOWS_STAGE}/licences
  COMMAND ${MORVANE_MAKENSIS} ${nsis_options} ${PROJECT_SOURCE_DIR}/desktop/win/morvane.nsi
  COMMAND ${CMAKE_COMMAND} -E chdir ${PROJECT_BINARY_DIR}/package
          ${CMAKE_COMMAND} -E tar cf ${MORVANE_WINDOWS_ZIP} --format=zip ${MORVANE_WINDOWS_FOLDER}
  DEPENDS ${programs} ${PROJECT_SOURCE_DIR}/desktop/win/morvane.nsi ${picture_kinds_nsh}
  COMMENT "Packaging ${MORVANE_WINDOWS_SETUP} and ${MORVANE_WINDOWS_ZIP}"
  VERBATIM)
