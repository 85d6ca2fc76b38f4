# `cmake --build build-windows --target windows-packages` (scripts/package-windows.sh): the setup program
# and the portable zip of the Windows build, both named with the project's version:
#   morvane-VERSION-setup.exe         (makensis, desktop/win/morvane.nsi)
#   morvane-VERSION-windows-x64.zip   (the folder morvane-VERSION-windows-x64 with the programs, README.txt and
#                                      LICENSE.txt)
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
  COMMAND ${MORVANE_MAKENSIS} ${nsis_options} ${PROJECT_SOURCE_DIR}/desktop/win/morvane.nsi
  COMMAND ${CMAKE_COMMAND} -E chdir ${PROJECT_BINARY_DIR}/package
          ${CMAKE_COMMAND} -E tar cf ${MORVANE_WINDOWS_ZIP} --format=zip ${MORVANE_WINDOWS_FOLDER}
  DEPENDS ${programs} ${PROJECT_SOURCE_DIR}/desktop/win/morvane.nsi ${picture_kinds_nsh}
  COMMENT "Packaging ${MORVANE_WINDOWS_SETUP} and ${MORVANE_WINDOWS_ZIP}"
  VERBATIM)
