# morvane_windows_resources(TARGET PROGRAM DESCRIPTION)
# Gives a Windows program the icon, the version resource and the manifest of app/win/morvane.rc.in.
enable_language(RC)
set(MORVANE_VERSION_PATCH 0)
if(PROJECT_VERSION_PATCH)
  set(MORVANE_VERSION_PATCH ${PROJECT_VERSION_PATCH})
endif()

function(morvane_windows_resources target program description)
  set(MORVANE_PROGRAM ${program})
  set(MORVANE_FILE_DESCRIPTION ${description})
  set(MORVANE_ICON ${PROJECT_SOURCE_DIR}/desktop/icons/morvane.ico)
  set(MORVANE_MANIFEST ${CMAKE_CURRENT_BINARY_DIR}/${program}.manifest)
  configure_file(${PROJECT_SOURCE_DIR}/app/win/morvane.manifest.in ${MORVANE_MANIFEST} @ONLY)
  configure_file(${PROJECT_SOURCE_DIR}/app/win/morvane.rc.in ${CMAKE_CURRENT_BINARY_DIR}/${program}.rc @ONLY)
  target_sources(${target} PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/${program}.rc)
  # windres does not see that the icon and the manifest are part of the resource.
  set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/${program}.rc PROPERTIES
    OBJECT_DEPENDS "${MORVANE_ICON};${MORVANE_MANIFEST}")
endfunction()
