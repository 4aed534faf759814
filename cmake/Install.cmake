# Installation (cmake --install) and the Debian package (cpack -G DEB): the
# program, its menu entry and icon, and the simulated writer under a name that
# says what it is, so that the program can be tried without a writer.
include(GNUInstallDirs)

set(KRV_PACKAGE_MAINTAINER "KRV Writer maintainers <krv-writer@example.org>"
    CACHE STRING "The Maintainer field of the Debian package")

# The documents a Debian package carries: the changelog of this version, the
# copyright file and a manual page for each program. They are dated by
# SOURCE_DATE_EPOCH when set, else by the last commit, else by now, and
# compressed with gzip -9n (no name, no time stamp), so the same sources
# give the same bytes.
set(krv_doc_dir ${CMAKE_CURRENT_BINARY_DIR}/packaging)
set(krv_doc_epoch "$ENV{SOURCE_DATE_EPOCH}")
if(NOT krv_doc_epoch)
  execute_process(COMMAND git log -1 --format=%ct WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
                  OUTPUT_VARIABLE krv_doc_epoch OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  if(NOT krv_doc_epoch MATCHES "^[0-9]+$")
    string(TIMESTAMP krv_doc_epoch "%s" UTC)
  endif()
endif()
# string(TIMESTAMP) reads the time from SOURCE_DATE_EPOCH.
set(krv_saved_epoch "$ENV{SOURCE_DATE_EPOCH}")
set(ENV{SOURCE_DATE_EPOCH} ${krv_doc_epoch})
string(TIMESTAMP KRV_CHANGELOG_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
string(TIMESTAMP KRV_MAN_DATE "%B %Y" UTC)
set(ENV{SOURCE_DATE_EPOCH} "${krv_saved_epoch}")

# Compresses the document krv_doc_dir/NAME at build time and installs it in
# DESTINATION.
set(krv_docs)
function(krv_install_compressed name destination)
  add_custom_command(OUTPUT ${krv_doc_dir}/${name}.gz
                     COMMAND gzip -9nkf ${name}
                     WORKING_DIRECTORY ${krv_doc_dir}
                     DEPENDS ${krv_doc_dir}/${name}
                     VERBATIM)
  install(FILES ${krv_doc_dir}/${name}.gz DESTINATION ${destination})
  set(krv_docs ${krv_docs} ${krv_doc_dir}/${name}.gz PARENT_SCOPE)
endfunction()

configure_file(${CMAKE_SOURCE_DIR}/packaging/changelog.in ${krv_doc_dir}/changelog @ONLY)
krv_install_compressed(changelog ${CMAKE_INSTALL_DOCDIR})
install(FILES ${CMAKE_SOURCE_DIR}/packaging/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})

if(TARGET krv-writer)
  configure_file(${CMAKE_SOURCE_DIR}/packaging/krv-writer.1.in ${krv_doc_dir}/krv-writer.1 @ONLY)
  krv_install_compressed(krv-writer.1 ${CMAKE_INSTALL_MANDIR}/man1)
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
  # Its manual page is made from its --help at each build, so that the two
  # never drift apart; help2man runs it under its installed name.
  find_program(KRV_HELP2MAN help2man)
  if(KRV_HELP2MAN)
    add_custom_command(
      OUTPUT ${krv_doc_dir}/krv-writer-simulator.1
      COMMAND ${CMAKE_COMMAND} -E create_symlink $<TARGET_FILE:writer-box> krv-writer-simulator
      COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${krv_doc_epoch}
              ${KRV_HELP2MAN} --no-info --no-discard-stderr --version-string=${PROJECT_VERSION}
              --include=${CMAKE_SOURCE_DIR}/packaging/krv-writer-simulator.h2m
              --output=krv-writer-simulator.1 ./krv-writer-simulator
      WORKING_DIRECTORY ${krv_doc_dir}
      DEPENDS writer-box ${CMAKE_SOURCE_DIR}/packaging/krv-writer-simulator.h2m
      VERBATIM)
    krv_install_compressed(krv-writer-simulator.1 ${CMAKE_INSTALL_MANDIR}/man1)
  else()
    message(WARNING "help2man not found: krv-writer-simulator gets no manual page")
  endif()
endif()

add_custom_target(krv-docs ALL DEPENDS ${krv_docs})

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
