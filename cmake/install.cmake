# Install rules and the Debian package. The executables live in lib/hvpp together with
# the fuse description files (Set/) and the help document (docs/), because each program
# looks for them beside itself; bin/ holds links to them.
include(GNUInstallDirs)
set(HVPP_PRIVATE_DIR ${CMAKE_INSTALL_LIBDIR}/hvpp)

install(TARGETS hvpp hvpp-cli hvpp-sim RUNTIME DESTINATION ${HVPP_PRIVATE_DIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/Set/ DESTINATION ${HVPP_PRIVATE_DIR}/Set)
install(FILES ${CMAKE_SOURCE_DIR}/docs/help.html DESTINATION ${HVPP_PRIVATE_DIR}/docs)
install(FILES ${CMAKE_SOURCE_DIR}/docs/help.html DESTINATION ${CMAKE_INSTALL_DOCDIR})
foreach(exe hvpp hvpp-cli hvpp-sim)
  install(CODE "
    file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
    file(CREATE_LINK \"../${HVPP_PRIVATE_DIR}/${exe}\"
         \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/${exe}\" SYMBOLIC)")
endforeach()
install(FILES ${CMAKE_SOURCE_DIR}/docs/hvpp.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/docs/hvpp.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

set(CPACK_PACKAGE_NAME hvpp)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Control program of a high-voltage parallel programmer for classic AVR chips")
set(CPACK_PACKAGE_CONTACT "hvpp developers <hvpp@localhost>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
include(CPack)
