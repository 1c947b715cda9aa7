# The Debian package, made by `cpack` from the install rules: build/velmora_<version>_<arch>.deb. It follows
# the games policy (see cmake/InstallDirs.cmake) and is built with the flags of the environment it is configured
# in; the README's test command takes dpkg-buildflags' hardening flags, and checks the result with lintian.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velmora)
set(CPACK_PACKAGE_VENDOR "${VELMORA_CONTACT_NAME}")
set(CPACK_PACKAGE_CONTACT "${VELMORA_CONTACT_NAME} <${VELMORA_CONTACT_MAIL}>")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${VELMORA_CONTACT_HOME_PAGE}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Sudoku game for one player")
# The long description, wrapped for the package's control file.
set(CPACK_PACKAGE_DESCRIPTION [=[
Velmora is a desktop Sudoku game with four levels, pencil marks, a clock
and a record table, saved games, a custom-game editor and a collection of
named puzzles. Its texts are in Simplified Chinese.
.
The package also holds velmora-tkmaker, which makes and checks puzzle
collections for the game.]=])
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
# The package installs where the build was configured to, as the manual pages name those paths: a
# package is configured with -DCMAKE_INSTALL_PREFIX=/usr (lintian refuses /usr/local).
set(CPACK_PACKAGING_INSTALL_PREFIX "${CMAKE_INSTALL_PREFIX}")

# What the game needs at run time that no linking shows, so dpkg-shlibdeps cannot find it: the font for
# the Chinese texts, Qt's platform plugins, which Qt loads at run time, and Qt's Chinese catalogue, which
# it reads at start. One package a line.
set(VELMORA_RUNTIME_DEPENDS
  fonts-wqy-microhei
  qt6-qpa-plugins
  qt6-translations-l10n
)
# The libraries come from dpkg-shlibdeps, and `file`, which cpack runs to pick out the programs, where
# both are installed (the print module's Qt Print Support among them); without them the Qt libraries
# are named by hand.
find_program(VELMORA_DPKG_SHLIBDEPS dpkg-shlibdeps)
find_program(VELMORA_FILE file)
if(VELMORA_DPKG_SHLIBDEPS AND VELMORA_FILE)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  list(APPEND VELMORA_RUNTIME_DEPENDS libqt6widgets6 libqt6printsupport6)
endif()
list(JOIN VELMORA_RUNTIME_DEPENDS ", " CPACK_DEBIAN_PACKAGE_DEPENDS)

include(CPack)
