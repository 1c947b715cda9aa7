# Where installing puts things, as Debian's games policy wants them: the launcher that players start in
# games/ (/usr/games), the game it runs out of PATH, the sample collection under share/games/.
include(GNUInstallDirs)

set(VELMORA_INSTALL_GAMESDIR games CACHE STRING "Where the launcher goes, under the prefix (games: /usr/games)")
set(VELMORA_INSTALL_GAMEDIR ${CMAKE_INSTALL_LIBEXECDIR}/velmora)
set(VELMORA_INSTALL_GAMEDATADIR ${CMAKE_INSTALL_DATADIR}/games/velmora)
set(VELMORA_INSTALL_DOCDIR ${CMAKE_INSTALL_DATADIR}/doc/velmora)

# The reverse-DNS name that the menu entry, the icons and the metainfo share. It lies under the reserved
# .example domain, like the default contact lines, so it can never name a stranger's software.
set(VELMORA_APP_ID example.velmora.velmora)
