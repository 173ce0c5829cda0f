# Installation and the Debian package: `cmake --install build` and `cpack` (from build/).
include(GNUInstallDirs)
install(TARGETS kestrava kestrava-sim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES packaging/kestrava.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES packaging/kestrava.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
# Manual pages go compressed, as Debian has them.
find_program(GZIP gzip REQUIRED)
foreach(page kestrava.1 kestrava-sim.1)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/${page}.gz
                     COMMAND ${GZIP} -9nc ${PROJECT_SOURCE_DIR}/packaging/${page} >
                             ${CMAKE_BINARY_DIR}/${page}.gz
                     DEPENDS ${PROJECT_SOURCE_DIR}/packaging/${page})
  list(APPEND KESTRAVA_MAN_PAGES ${CMAKE_BINARY_DIR}/${page}.gz)
endforeach()
add_custom_target(man_pages ALL DEPENDS ${KESTRAVA_MAN_PAGES})
install(FILES ${KESTRAVA_MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "kestrava")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_CONTACT "Kestrava developers <kestrava@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Service tool for Corvane elevator controllers")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Service tool for Corvane elevator controllers\n Terminal, live signal grid, test commands, communications log and replay\n over the controller's serial port. Includes a controller simulator.")
set(CPACK_DEBIAN_PACKAGE_SECTION "electronics")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)  # Debian's Qt 6 runtime packages, found by dpkg-shlibdeps
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation2")  # the windows' font's stand-in
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
include(CPack)
