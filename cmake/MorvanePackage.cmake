# `cpack -G DEB` in the build folder: a Debian package of what `cmake --install` places, its dependencies
# worked out from the programs' shared libraries (dpkg-shlibdeps).
set(CPACK_PACKAGE_NAME morvane)
set(CPACK_PACKAGE_VENDOR "Morvane")
set(CPACK_PACKAGE_CONTACT "Morvane developers <morvane@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "console background maker for games run by hl2.exe")
set(CPACK_PACKAGE_DESCRIPTION "Morvane turns a picture into the console background texture (background01.vtf,
VTF 7.1, DXT5 with a full mip chain) of a game whose program is hl2.exe, and writes it with its material
file into the game's console folder. morvane-cli builds the same texture without a window.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)

include(CPack)
