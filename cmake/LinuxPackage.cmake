# Installing the Linux program where XScreenSaver looks for it, and its Debian package (cpack -G DEB):
#   <prefix>/libexec/xscreensaver/orbitarium          the program (a hack, and a window of its own)
#   <prefix>/share/xscreensaver/config/orbitarium.xml its settings in the daemon's settings dialog
#   <prefix>/share/man/man6/orbitarium.6              its manual page
include(GNUInstallDirs)
install(TARGETS orbitarium RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/xscreensaver)
install(FILES ${PROJECT_SOURCE_DIR}/resources/linux/orbitarium.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/xscreensaver/config)
install(FILES ${PROJECT_SOURCE_DIR}/resources/linux/orbitarium.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)

set(CPACK_PACKAGE_NAME orbitarium)
set(CPACK_PACKAGE_VENDOR "Orbitarium")
set(CPACK_PACKAGE_CONTACT "Orbitarium <orbitarium@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "The solar system, flown through, as an XScreenSaver hack")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
# The shared libraries it links (X11, libGLU, libpng, libEGL, libstdc++) as dpkg-shlibdeps finds
# them; libGL.so.1 is loaded by name at run time, and the daemon is what runs it.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libgl1")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xscreensaver, libgl1-mesa-dri")
include(CPack)
