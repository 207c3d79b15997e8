# A per-user install (cmake --install build --prefix ~/.local). The program keeps its word table in
# data/ beside itself when it can write there, so it gets a folder of its own, lib/dorori/, and
# bin/dorori links to it. The desktop entry and the icons go where launchers look for them.

set(DORORI_PROGRAM_DIR lib/dorori)

install(TARGETS DoRori RUNTIME DESTINATION ${DORORI_PROGRAM_DIR})
install(TARGETS dorori_plots LIBRARY DESTINATION ${DORORI_PROGRAM_DIR})
install(FILES ${DORORI_GRADED_LISTS} DESTINATION ${DORORI_PROGRAM_DIR}/wordlists)

# The icon the window and its tray icon show, in the sizes the skin draws it.
foreach(size 16 22 32 48)
  install(FILES ${CMAKE_SOURCE_DIR}/res/mainicon_${size}.png
    DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME dorori.png)
endforeach()

# The link and the entry name the program by the prefix chosen at install time, not at configure
# time; both are added to install_manifest.txt so that uninstalling removes them too.
install(CODE "set(DORORI_DESKTOP_TEMPLATE \"${CMAKE_SOURCE_DIR}/res/dorori.desktop.in\")
  set(DORORI_PROGRAM_DIR ${DORORI_PROGRAM_DIR})
  set(DORORI_APP_ID ${DORORI_APP_ID})")
install(CODE [[
  set(root "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
  set(DORORI_PROGRAM "${CMAKE_INSTALL_PREFIX}/${DORORI_PROGRAM_DIR}/DoRori")

  set(link "${root}/bin/dorori")
  message(STATUS "Installing: ${link}")
  file(MAKE_DIRECTORY "${root}/bin")
  file(CREATE_LINK "../${DORORI_PROGRAM_DIR}/DoRori" "${link}" SYMBOLIC)

  set(entry "${root}/share/applications/${DORORI_APP_ID}.desktop")
  message(STATUS "Installing: ${entry}")
  configure_file("${DORORI_DESKTOP_TEMPLATE}" "${entry}" @ONLY)
  list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${link}" "${entry}")
]])
