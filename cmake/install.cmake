# Install rules and the Debian package. The programs go to bin/; their data (fuse
# description files, help, translations) to share/hvpp, where DataPaths finds it relative
# to the program.
include(GNUInstallDirs)
set(HVPP_DATA_DIR ${CMAKE_INSTALL_DATADIR}/hvpp)
set(HVPP_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/hvpp)
set(HVPP_MAINTAINER "hvpp developers <hvpp-devel@example.org>" CACHE STRING
    "Maintainer of the Debian package")

install(TARGETS hvpp hvpp-cli hvpp-sim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/Set/ DESTINATION ${HVPP_DATA_DIR}/Set
        FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
install(FILES ${HVPP_HELP_FILES} DESTINATION ${HVPP_DATA_DIR}/help)
install(FILES ${HVPP_QM_FILES} DESTINATION ${HVPP_DATA_DIR}/translations)
install(FILES ${CMAKE_SOURCE_DIR}/docs/hvpp.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/docs/hvpp.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# Copyright and changelog in the form Debian expects (changelog compressed with gzip -9n,
# so the package does not change with the build time).
configure_file(${CMAKE_SOURCE_DIR}/cmake/changelog.in ${CMAKE_BINARY_DIR}/package/changelog @ONLY)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/package/changelog.gz
  COMMAND gzip -9n -c ${CMAKE_BINARY_DIR}/package/changelog > ${CMAKE_BINARY_DIR}/package/changelog.gz
  DEPENDS ${CMAKE_BINARY_DIR}/package/changelog
  COMMENT "Compressing the changelog")
add_custom_target(hvpp_changelog ALL DEPENDS ${CMAKE_BINARY_DIR}/package/changelog.gz)
install(FILES ${CMAKE_SOURCE_DIR}/cmake/copyright ${CMAKE_BINARY_DIR}/package/changelog.gz
        ${CMAKE_SOURCE_DIR}/docs/json-events.md
        DESTINATION ${HVPP_DOC_DIR})

# Manual pages that cannot drift from the programs: hvpp-cli's from its command table
# (a section per command, EXIT STATUS, SIGNALS), the others from their --help and
# --version through help2man (scripts/deps.sh installs it).
set(HVPP_MAN_PAGES ${CMAKE_BINARY_DIR}/man/hvpp-cli.1.gz)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/man/hvpp-cli.1.gz
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
  COMMAND $<TARGET_FILE:hvpp-cli-manpage> > ${CMAKE_BINARY_DIR}/man/hvpp-cli.1
  COMMAND gzip -9nf ${CMAKE_BINARY_DIR}/man/hvpp-cli.1
  DEPENDS hvpp-cli-manpage hvpp_translations
  COMMENT "Manual page of hvpp-cli")
find_program(HVPP_HELP2MAN help2man)
if(HVPP_HELP2MAN)
  foreach(prog hvpp hvpp-sim)
    if(prog STREQUAL "hvpp")
      set(name "window of the high-voltage parallel AVR programmer")
    else()
      set(name "simulated high-voltage parallel AVR programmer on a pseudo-terminal")
    endif()
    set(page ${CMAKE_BINARY_DIR}/man/${prog}.1)
    add_custom_command(OUTPUT ${page}.gz
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
      COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
              ${HVPP_HELP2MAN} --no-info --section=1 --name=${name}
              "--help-option=--lang en --help" "--version-option=--lang en --version"
              --output=${page} $<TARGET_FILE:${prog}>
      COMMAND gzip -9nf ${page}
      DEPENDS ${prog} hvpp_translations
      COMMENT "Manual page of ${prog}"
      VERBATIM)
    list(APPEND HVPP_MAN_PAGES ${page}.gz)
  endforeach()
else()
  message(WARNING "help2man not found: no manual pages for hvpp and hvpp-sim (scripts/deps.sh installs it)")
endif()
add_custom_target(hvpp_man ALL DEPENDS ${HVPP_MAN_PAGES})
install(FILES ${HVPP_MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_PACKAGE_NAME hvpp)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "hvpp developers")
set(CPACK_PACKAGE_CONTACT "${HVPP_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${HVPP_MAINTAINER}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The captions are Chinese: without a CJK font every one of them is a row of boxes.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-noto-cjk | fonts-wqy-microhei")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "high-voltage parallel programmer for classic AVR chips")
# The synopsis line is CPACK_PACKAGE_DESCRIPTION_SUMMARY; this is the extended description.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "hvpp drives a high-voltage parallel programmer on a USB-to-RS232 link. It
identifies the chip in the socket, loads Intel HEX, binary and EEP images,
erases, writes, verifies and reads flash and EEPROM, edits and writes fuse and
lock bytes, stores calibration bytes, prepares stand-alone programming in the
programmer, updates the programmer's firmware and saves whole jobs.
.
The package holds the window (hvpp, in Chinese or English), the command line
for scripts and production (hvpp-cli) and a simulated programmer on a
pseudo-terminal (hvpp-sim), so that everything can be tried without hardware.")
include(CPack)
