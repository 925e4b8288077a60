# Installing the Linux program where XScreenSaver and a desktop look for it, and its Debian package
# (cpack -G DEB):
#   <prefix>/libexec/xscreensaver/orbitarium          the program (a hack, and a window of its own)
#   <prefix>/bin/orbitarium                           a link to it, for running it by hand
#   <prefix>/share/xscreensaver/config/orbitarium.xml its settings in the daemon's settings dialog
#   <prefix>/share/man/man6/orbitarium.6.gz           its manual page
#   <prefix>/share/applications/orbitarium.desktop    the menu entry of its own window, with its icon
#                                                     in share/icons/hicolor
#   <prefix>/share/doc/orbitarium/                    copyright and changelog.gz
include(GNUInstallDirs)

# Who maintains the package: a packager sets their own. By default the Debian packager's DEBFULLNAME and
# DEBEMAIL, else the git user of the source tree.
set(maintainer_default "")
if(DEFINED ENV{DEBEMAIL})
  set(maintainer_default "$ENV{DEBFULLNAME} <$ENV{DEBEMAIL}>")
else()
  find_package(Git QUIET)
  if(GIT_FOUND)
    execute_process(COMMAND ${GIT_EXECUTABLE} config user.name WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
                    OUTPUT_VARIABLE git_name OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    execute_process(COMMAND ${GIT_EXECUTABLE} config user.email WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
                    OUTPUT_VARIABLE git_email OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    if(git_name AND git_email)
      set(maintainer_default "${git_name} <${git_email}>")
    endif()
  endif()
endif()
if(NOT maintainer_default)
  set(maintainer_default "Orbitarium developers <orbitarium@example.org>")
endif()
set(ORBITARIUM_PACKAGE_MAINTAINER "${maintainer_default}" CACHE STRING
    "The Debian package's maintainer, \"Name <address>\"")
if(ORBITARIUM_PACKAGE_MAINTAINER MATCHES "example\\.org>$")
  message(STATUS "Package maintainer: ${ORBITARIUM_PACKAGE_MAINTAINER}; set ORBITARIUM_PACKAGE_MAINTAINER to your own")
endif()

set(package_dir ${PROJECT_BINARY_DIR}/package)
set(picture_dir ${PROJECT_BINARY_DIR}/resources/pictures)
find_program(GZIP gzip REQUIRED)
configure_file(${PROJECT_SOURCE_DIR}/resources/linux/changelog.in ${package_dir}/changelog @ONLY)
# Compressed as Debian wants them: the best compression, no name or time stamp inside.
add_custom_command(OUTPUT ${package_dir}/orbitarium.6.gz ${package_dir}/changelog.gz
  COMMAND ${GZIP} -9nc ${PROJECT_SOURCE_DIR}/resources/linux/orbitarium.6 > ${package_dir}/orbitarium.6.gz
  COMMAND ${GZIP} -9nc ${package_dir}/changelog > ${package_dir}/changelog.gz
  DEPENDS ${PROJECT_SOURCE_DIR}/resources/linux/orbitarium.6 ${package_dir}/changelog)
add_custom_target(orb_package_files ALL DEPENDS ${package_dir}/orbitarium.6.gz ${package_dir}/changelog.gz)
add_dependencies(orbitarium orb_package_files)
file(CREATE_LINK ../${CMAKE_INSTALL_LIBEXECDIR}/xscreensaver/orbitarium ${package_dir}/orbitarium SYMBOLIC)

install(TARGETS orbitarium RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/xscreensaver)
# A stripped install (the package's) also drops the compilers' notes, as Debian's own packages do.
install(CODE "if(CMAKE_INSTALL_DO_STRIP)
  execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment
    \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_LIBEXECDIR}/xscreensaver/orbitarium\")
endif()")
install(FILES ${package_dir}/orbitarium DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/resources/linux/orbitarium.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/xscreensaver/config)
install(FILES ${package_dir}/orbitarium.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${PROJECT_SOURCE_DIR}/resources/linux/orbitarium.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
foreach(size 48 256)
  install(FILES ${picture_dir}/orbitarium-${size}.png RENAME orbitarium.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/resources/linux/copyright ${package_dir}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/orbitarium)

set(CPACK_PACKAGE_NAME orbitarium)
set(CPACK_PACKAGE_VENDOR "the Orbitarium developers")
set(CPACK_PACKAGE_CONTACT "${ORBITARIUM_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${ORBITARIUM_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "solar system flown through in 3D, as a screen saver")
set(CPACK_PACKAGE_DESCRIPTION "The Sun, the nine planets, the Moon and Saturn's ring, textured and lit
from the Sun, in front of a fixed star field, drawn with OpenGL. The
planets circle the Sun and spin; the camera flies a closed tour through
the solar system, or you fly it with the mouse and the keys.
.
It runs as an XScreenSaver hack, in a window of its own (from the
desktop's menu, or as orbitarium), full screen, or without a display
as a writer of still pictures.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The shared libraries it links (X11, libGLU, libpng, libEGL, libstdc++) as dpkg-shlibdeps finds
# them; libGL.so.1 is loaded by name at run time, and the daemon is what runs it.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libgl1")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xscreensaver, libgl1-mesa-dri")
include(CPack)
