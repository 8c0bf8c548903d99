# cmake --install: the game, its tools, its data, and what a Linux desktop needs to list it
# (desktop entry, icons, AppStream metadata, manual page). The installed game finds its data in
# ../share/gorgewing2 beside its executable, so the prefix can be moved.
include(GNUInstallDirs)
set(GW_APP_ID io.github.gorgewing.gorgewing2)
set(GW_DIST_DIR ${CMAKE_SOURCE_DIR}/dist)
set(GW_ICON_DIR ${CMAKE_BINARY_DIR}/icons)
set(GW_ICON_SIZES 16 32 48 64 128 256)

# The icons are drawn by the forge at build time, remade only when it changed.
set(GW_ICON_FILES)
foreach(size ${GW_ICON_SIZES})
  list(APPEND GW_ICON_FILES ${GW_ICON_DIR}/${size}x${size}/apps/${GW_APP_ID}.png)
endforeach()
add_custom_command(
  OUTPUT ${GW_ICON_FILES}
  COMMAND gw-forge --icons ${GW_ICON_DIR} ${GW_APP_ID}
  DEPENDS gw-forge
  COMMENT "Drawing the desktop icons into ${GW_ICON_DIR}"
  VERBATIM)
add_custom_target(gw_icons ALL DEPENDS ${GW_ICON_FILES})

install(TARGETS gorgewing2 gw-pack gw-view gw-forge gw-bench RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${GW_GAME_DIR}/data/data.pk DESTINATION ${CMAKE_INSTALL_DATADIR}/gorgewing2/data)
install(DIRECTORY ${GW_GAME_DIR}/levels/ DESTINATION ${CMAKE_INSTALL_DATADIR}/gorgewing2/levels
        FILES_MATCHING PATTERN "*.set")
install(FILES ${GW_DIST_DIR}/${GW_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${GW_DIST_DIR}/${GW_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size ${GW_ICON_SIZES})
  install(FILES ${GW_ICON_DIR}/${size}x${size}/apps/${GW_APP_ID}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${GW_DIST_DIR}/gorgewing2.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
