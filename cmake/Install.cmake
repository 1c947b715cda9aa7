# Install rules: the launcher users start, the game it runs, the sample collection, menu entry and icons.
include(GNUInstallDirs)

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
velmora_launcher(${PROJECT_BINARY_DIR}/packaging/velmora ${CMAKE_INSTALL_FULL_BINDIR}
  ${CMAKE_INSTALL_FULL_LIBEXECDIR}/velmora/velmora ${CMAKE_INSTALL_FULL_DATADIR}/velmora/tk.vlm)

install(PROGRAMS ${PROJECT_BINARY_DIR}/packaging/velmora DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS velmora RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/velmora)
install(FILES resources/tk.vlm DESTINATION ${CMAKE_INSTALL_DATADIR}/velmora)
install(FILES packaging/velmora.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
foreach(size 16 24 32 48 64 128 256)
  install(FILES resources/icon/velmora-${size}.png RENAME velmora.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES resources/icon/velmora.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# The collection tool, under a name that says whose it is. install(TARGETS) cannot rename, so
# the stripping that a stripped install (cpack) does for targets is done here by hand.
if(TARGET tkmaker)
  install(PROGRAMS $<TARGET_FILE:tkmaker> RENAME velmora-tkmaker DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(CODE "
    if(CMAKE_INSTALL_DO_STRIP AND NOT \"${CMAKE_STRIP}\" STREQUAL \"\")
      execute_process(COMMAND \"${CMAKE_STRIP}\"
        \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/velmora-tkmaker\")
    endif()")
endif()
