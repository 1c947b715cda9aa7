# The Debian package, made by `cpack` from the install rules: build/velmora_<version>_<arch>.deb.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velmora)
set(CPACK_PACKAGE_VENDOR Velmora)
set(CPACK_PACKAGE_CONTACT "${VELMORA_CONTACT_NAME} <${VELMORA_CONTACT_MAIL}>")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Sudoku game for one player")
set(CPACK_PACKAGE_DESCRIPTION
  "Velmora is a desktop Sudoku game with four levels, pencil marks, a clock and a record table, saved games, a custom-game editor and a collection of named puzzles.")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)

# The libraries come from dpkg-shlibdeps, and `file`, which cpack runs to pick out the programs, where
# both are installed; without them Qt Widgets is named. Named by hand as no linking shows them: the
# font for the Chinese texts, and Qt's platform plugins, which Qt loads at run time.
find_program(VELMORA_DPKG_SHLIBDEPS dpkg-shlibdeps)
find_program(VELMORA_FILE file)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-wqy-microhei, qt6-qpa-plugins")
if(VELMORA_DPKG_SHLIBDEPS AND VELMORA_FILE)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS ", libqt6widgets6")
endif()

include(CPack)
