# Wine as the crossing emulator of the win64 build, and throw-away prefixes for the tests.
find_program(WINE_PROGRAM wine REQUIRED)
find_program(WINEBOOT_PROGRAM wineboot REQUIRED)
find_program(WINESERVER_PROGRAM wineserver REQUIRED)

# The Windows tests' prefix and the file where their display fixture writes its display number.
set(ORBITARIUM_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
set(ORBITARIUM_DISPLAY_FILE ${CMAKE_BINARY_DIR}/test-display/number)
configure_file(${PROJECT_SOURCE_DIR}/cmake/wine-run.sh.in ${CMAKE_BINARY_DIR}/wine-run.sh @ONLY
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                WORLD_READ WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run.sh)

# Making a prefix takes 10 to 20 s, so it is made at build time, not while tests run or are discovered.
function(orbitarium_wine_prefix target prefix)
  add_custom_command(
    OUTPUT ${prefix}/system.reg
    COMMAND ${CMAKE_COMMAND} -E env WINEPREFIX=${prefix} WINEDEBUG=-all
            WINEDLLOVERRIDES=mscoree,mshtml= DISPLAY= ${WINEBOOT_PROGRAM} -i
    COMMAND ${CMAKE_COMMAND} -E env WINEPREFIX=${prefix} ${WINESERVER_PROGRAM} -w
    COMMENT "Making the throw-away Wine prefix ${prefix}"
    VERBATIM)
  add_custom_target(${target} ALL DEPENDS ${prefix}/system.reg)
endfunction()
