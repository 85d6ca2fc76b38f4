# The manual page of morvane-cli is made from its own --help and --version, so the two never disagree.
if(UNIX AND NOT APPLE AND NOT CMAKE_CROSSCOMPILING)
  find_program(HELP2MAN help2man REQUIRED)
  find_program(GZIP gzip REQUIRED)
  set(manual_page ${PROJECT_BINARY_DIR}/share/man/man1/morvane-cli.1)
  add_custom_command(
    OUTPUT ${manual_page}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/share/man/man1
    COMMAND ${HELP2MAN} --no-info --section 1 --source "Morvane ${PROJECT_VERSION}"
            --name "make a game's console background texture from a picture"
            --output ${manual_page} $<TARGET_FILE:morvane-cli>
    COMMAND ${GZIP} -9nf ${manual_page}
    DEPENDS morvane-cli
    COMMENT "Writing the manual page of morvane-cli"
    VERBATIM)
  add_custom_target(morvane-cli-manual ALL DEPENDS ${manual_page}.gz)
  install(FILES ${manual_page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()
