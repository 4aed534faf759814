# Installation (cmake --install) and the Debian package (cpack -G DEB): the
# program, its menu entry and icon, and the simulated writer under a name that
# says what it is, so that the program can be tried without a writer.
include(GNUInstallDirs)

set(KRV_PACKAGE_MAINTAINER "KRV Writer maintainers <krv-writer@example.org>"
    CACHE STRING "The Maintainer field of the Debian package")

if(TARGET krv-writer)
  install(TARGETS krv-writer RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${CMAKE_SOURCE_DIR}/packaging/krv-writer.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${CMAKE_SOURCE_DIR}/packaging/krv-writer.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
endif()
if(TARGET writer-box)
  install(PROGRAMS $<TARGET_FILE:writer-box> DESTINATION ${CMAKE_INSTALL_BINDIR} RENAME krv-writer-simulator)
  # A renamed copy is not a target: strip it as the targets are stripped.
  install(CODE "if(CMAKE_INSTALL_DO_STRIP)
    execute_process(COMMAND \"${CMAKE_STRIP}\"
                    \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/krv-writer-simulator\")
  endif()")
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME krv-writer)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${KRV_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "PC side of the production writer for KRV microcontrollers")
set(CPACK_PACKAGE_DESCRIPTION
    "krv-writer prepares a workspace for a KRV 8-bit microcontroller (program
memory, OPTION words, ID, EEPROM, serial-number rules) and drives the writer,
a programming box on a serial port, through its byte protocol: blank check,
program, verify, read, auto program and firmware update.
.
The package also holds krv-writer-simulator, a simulated writer on a
pseudo-terminal, to try the program without a writer.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${KRV_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The customer information sheet is set in a face with the metrics of
# "Courier New".
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2")
set(CPACK_STRIP_FILES ON)
include(CPack)
