# Wine as the crossing emulator, and the throw-away prefix it runs in (made once per build folder).
find_program(WINE_PROGRAM wine REQUIRED)
find_program(WINEBOOT_PROGRAM wineboot REQUIRED)
find_program(WINESERVER_PROGRAM wineserver REQUIRED)

set(ORBITARIUM_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
set(ORBITARIUM_DISPLAY_FILE ${CMAKE_BINARY_DIR}/test-display/number)
configure_file(${PROJECT_SOURCE_DIR}/cmake/wine-run.sh.in ${CMAKE_BINARY_DIR}/wine-run.sh @ONLY
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                WORLD_READ WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run.sh)

# Making a prefix takes 10 to 20 s, so it is made at build time, not while tests are discovered.
add_custom_command(
  OUTPUT ${ORBITARIUM_WINEPREFIX}/system.reg
  COMMAND ${CMAKE_COMMAND} -E env WINEPREFIX=${ORBITARIUM_WINEPREFIX} WINEDEBUG=-all
          WINEDLLOVERRIDES=mscoree,mshtml= DISPLAY= ${WINEBOOT_PROGRAM} -i
  COMMAND ${CMAKE_COMMAND} -E env WINEPREFIX=${ORBITARIUM_WINEPREFIX} ${WINESERVER_PROGRAM} -w
  COMMENT "Making the throw-away Wine prefix ${ORBITARIUM_WINEPREFIX}"
  VERBATIM)
add_custom_target(wineprefix ALL DEPENDS ${ORBITARIUM_WINEPREFIX}/system.reg)
