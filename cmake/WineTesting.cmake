# Wine as the crossing emulator of the win64 build, and throw-away prefixes for the tests.
find_program(WINE_PROGRAM wine REQUIRED)
find_program(WINEBOOT_PROGRAM wineboot REQUIRED)
find_program(WINESERVER_PROGRAM wineserver REQUIRED)
# Wine programs run with the address layout fixed: a random one makes Wine fail to start now and then.
find_program(SETARCH_PROGRAM setarch REQUIRED)

# The Windows tests' prefix and the file where their display fixture writes its display number.
set(ORBITARIUM_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
set(ORBITARIUM_DISPLAY_FILE ${CMAKE_BINARY_DIR}/test-display/number)
configure_file(${PROJECT_SOURCE_DIR}/cmake/wine-run.sh.in ${CMAKE_BINARY_DIR}/wine-run.sh @ONLY
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                WORLD_READ WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run.sh)

# What made a prefix: the Wine version and the halves (32-bit, 64-bit) installed. A prefix made before
# the 32-bit half was installed fails afterwards ("could not load kernel32.dll"), so a prefix is made
# anew whenever this changes. Configuring rewrites the file only when its text changes.
execute_process(COMMAND ${WINE_PROGRAM} --version OUTPUT_VARIABLE wine_version
                OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
set(wine_installation "${wine_version}")
foreach(half i386 x86_64)
  if(EXISTS /usr/lib/${half}-linux-gnu/wine/${half}-unix)
    string(APPEND wine_installation " ${half}")
  endif()
endforeach()
set(ORBITARIUM_WINE_STAMP ${CMAKE_BINARY_DIR}/wine-installation.txt)
file(CONFIGURE OUTPUT ${ORBITARIUM_WINE_STAMP} CONTENT "${wine_installation}\n")

# Making a prefix takes 10 to 20 s, so it is made at build time, not while tests run or are discovered.
# The copy of the installation stamp inside the prefix is its output: a new stamp makes it anew.
function(orbitarium_wine_prefix target prefix)
  add_custom_command(
    OUTPUT ${prefix}/orbitarium-wine-installation.txt
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${prefix}
    COMMAND ${CMAKE_COMMAND} -E env WINEPREFIX=${prefix} WINEDEBUG=-all
            WINEDLLOVERRIDES=mscoree,mshtml= DISPLAY= ${SETARCH_PROGRAM} -R ${WINEBOOT_PROGRAM} -i
    COMMAND ${CMAKE_COMMAND} -E env WINEPREFIX=${prefix} ${WINESERVER_PROGRAM} -w
    COMMAND ${CMAKE_COMMAND} -E copy ${ORBITARIUM_WINE_STAMP} ${prefix}/orbitarium-wine-installation.txt
    DEPENDS ${ORBITARIUM_WINE_STAMP}
    COMMENT "Making the throw-away Wine prefix ${prefix}"
    VERBATIM)
  add_custom_target(${target} ALL DEPENDS ${prefix}/orbitarium-wine-installation.txt)
endfunction()

# The folder of a prefix that a program of this build sees as the Windows system folder: system32 for a
# 64-bit program, syswow64 for a 32-bit one in the 64-bit prefix that Wine makes when both halves are in.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(ORBITARIUM_SYSTEM_FOLDER drive_c/windows/system32)
else()
  set(ORBITARIUM_SYSTEM_FOLDER drive_c/windows/syswow64)
endif()

# A test library exports its entries by their plain names, as the Windows libraries it stands for do. On
# x86 a __stdcall function's symbol carries an @N suffix (bytes of arguments): --kill-at drops it from
# the export names, and the stdcall fix-up lets a .def file name such an entry without its suffix.
function(orbitarium_plain_exports target)
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    target_link_options(${target} PRIVATE -Wl,--kill-at -Wl,--enable-stdcall-fixup)
  endif()
endfunction()
