# Install rules, in the layout of cmake/InstallDirs.cmake: the launcher, the game, the sample collection,
# the menu entry, icons, AppStream metainfo, manual pages, and the copyright and changelog of the package.

# Directories that installing makes (and so the package's) get 0755 whatever the umask.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# Writes the launcher `output` from packaging/velmora.in for a launcher that will lie in `dir`. It
# names the game and the sample relative to its own folder, so it keeps working when its tree moves.
function(velmora_launcher output dir game sample)
  file(RELATIVE_PATH VELMORA_LAUNCH_GAME "${dir}" "${game}")
  file(RELATIVE_PATH VELMORA_LAUNCH_SAMPLE "${dir}" "${sample}")
  configure_file(${PROJECT_SOURCE_DIR}/packaging/velmora.in ${output} @ONLY
    FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
endfunction()

# The build tree's launcher, build/run/velmora: plays without installing.
velmora_launcher(${PROJECT_BINARY_DIR}/run/velmora ${PROJECT_BINARY_DIR}/run
  ${PROJECT_BINARY_DIR}/velmora ${PROJECT_SOURCE_DIR}/resources/tk.vlm)

# The installed launcher. The game itself goes out of PATH: started bare it would play in
# whatever folder the shell is in.
velmora_launcher(${PROJECT_BINARY_DIR}/packaging/velmora ${CMAKE_INSTALL_PREFIX}/${VELMORA_INSTALL_GAMESDIR}
  ${CMAKE_INSTALL_PREFIX}/${VELMORA_INSTALL_GAMEDIR}/velmora
  ${CMAKE_INSTALL_PREFIX}/${VELMORA_INSTALL_GAMEDATADIR}/tk.vlm)

install(PROGRAMS ${PROJECT_BINARY_DIR}/packaging/velmora DESTINATION ${VELMORA_INSTALL_GAMESDIR})
install(TARGETS velmora RUNTIME DESTINATION ${VELMORA_INSTALL_GAMEDIR})
install(TARGETS velmora_print LIBRARY DESTINATION ${VELMORA_INSTALL_GAMEDIR})
install(FILES resources/tk.vlm DESTINATION ${VELMORA_INSTALL_GAMEDATADIR})
install(FILES packaging/${VELMORA_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
foreach(size 16 24 32 48 64 128 256)
  install(FILES resources/icon/velmora-${size}.png RENAME ${VELMORA_APP_ID}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES resources/icon/velmora.svg RENAME ${VELMORA_APP_ID}.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# The collection tool, under a name that says whose it is, beside the launcher: the games policy puts
# all of a game package's programs in games/.
if(TARGET tkmaker)
  install(PROGRAMS $<TARGET_FILE:tkmaker> RENAME velmora-tkmaker DESTINATION ${VELMORA_INSTALL_GAMESDIR})
  install(FILES ${PROJECT_BINARY_DIR}/packaging/velmora-tkmaker.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()
# A stripped install (cpack's) strips the programs and the print module as Debian does, the compiler's
# notes in .comment and .note too: install(TARGETS) would strip only the symbols, and the tool, a renamed
# plain file, not at all.
install(CODE "
  if(CMAKE_INSTALL_DO_STRIP AND NOT \"${CMAKE_STRIP}\" STREQUAL \"\")
    foreach(program ${VELMORA_INSTALL_GAMEDIR}/velmora ${VELMORA_INSTALL_GAMEDIR}/velmora-print.so
                    ${VELMORA_INSTALL_GAMESDIR}/velmora-tkmaker)
      if(EXISTS \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/\${program}\")
        execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment --remove-section=.note
          \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/\${program}\" COMMAND_ERROR_IS_FATAL ANY)
      endif()
    endforeach()
  endif()")

# The release this tree builds is the changelog's first entry: its version must be the project's, and its
# date dates the metainfo's release and the manual pages.
file(STRINGS packaging/changelog.in VELMORA_CHANGELOG_HEAD LIMIT_COUNT 1)
if(NOT VELMORA_CHANGELOG_HEAD MATCHES "^velmora \\(${PROJECT_VERSION}\\) ")
  message(FATAL_ERROR "packaging/changelog.in must begin with the entry of version ${PROJECT_VERSION}")
endif()
file(STRINGS packaging/changelog.in VELMORA_CHANGELOG_TRAILER REGEX "^ -- " LIMIT_COUNT 1)
if(NOT VELMORA_CHANGELOG_TRAILER MATCHES ", ([0-9][0-9]) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ")
  message(FATAL_ERROR "packaging/changelog.in: no date in '${VELMORA_CHANGELOG_TRAILER}'")
endif()
set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(FIND months ${CMAKE_MATCH_2} month)
math(EXPR month "101 + ${month}")  # 101 for January: the last two digits are the month
string(SUBSTRING ${month} 1 2 month)
set(VELMORA_RELEASE_DATE ${CMAKE_MATCH_3}-${month}-${CMAKE_MATCH_1})

# Texts made from templates with the contact lines and installed paths: the AppStream metainfo, the
# manual pages, the package's copyright and changelog.
string(REGEX REPLACE "/$" "" home "${VELMORA_CONTACT_HOME_PAGE}")
set(VELMORA_SCREENSHOT_URL "${home}/main-window.png")
set(VELMORA_MAN_SAMPLE ${CMAKE_INSTALL_PREFIX}/${VELMORA_INSTALL_GAMEDATADIR}/tk.vlm)
# The metainfo is XML: an address with "&" or "<" in it is escaped there.
foreach(field CONTACT_NAME CONTACT_HOME_PAGE CONTACT_MAIL SCREENSHOT_URL)
  string(REPLACE "&" "&amp;" xml "${VELMORA_${field}}")
  string(REPLACE "<" "&lt;" VELMORA_XML_${field} "${xml}")
endforeach()

foreach(text ${VELMORA_APP_ID}.metainfo.xml velmora.6 velmora-tkmaker.1 copyright changelog)
  configure_file(packaging/${text}.in ${PROJECT_BINARY_DIR}/packaging/${text} @ONLY)
endforeach()
# Manual pages and the changelog are installed compressed, as Debian wants them: gzip at its best, with no
# name or time stamp in the header, so that the same sources give the same package.
set(gzipped)
foreach(text velmora.6 velmora-tkmaker.1 changelog)
  add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/packaging/${text}.gz
    COMMAND gzip -9nkf ${text}
    DEPENDS ${PROJECT_BINARY_DIR}/packaging/${text}
    WORKING_DIRECTORY ${PROJECT_BINARY_DIR}/packaging VERBATIM)
  list(APPEND gzipped ${PROJECT_BINARY_DIR}/packaging/${text}.gz)
endforeach()
add_custom_target(velmora_docs ALL DEPENDS ${gzipped})

install(FILES ${PROJECT_BINARY_DIR}/packaging/${VELMORA_APP_ID}.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PROJECT_BINARY_DIR}/packaging/velmora.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${PROJECT_BINARY_DIR}/packaging/copyright ${PROJECT_BINARY_DIR}/packaging/changelog.gz
  DESTINATION ${VELMORA_INSTALL_DOCDIR})
install(FILES packaging/lintian-overrides RENAME velmora DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides)
