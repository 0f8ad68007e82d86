# The Debian package (cpack -G DEB): everything the folders above install,
# under /usr, with its run-time dependencies found by dpkg-shlibdeps.
include(GNUInstallDirs)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillon)
set(CPACK_PACKAGE_VENDOR "The Quillon developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configure and monitor a VornISDN Q20/Q30 ISDN terminal adapter")
set(CPACK_PACKAGE_DESCRIPTION
  "Quillon configures and watches a VornISDN Q20 or Q30 ISDN terminal adapter over
a serial or USB serial port: subscriber numbers, call acceptance, short dial,
call forwarding, call filter, data protocol, least cost routing, charges,
morning calls and the call log, with profiles, in English, German and French.
.
The package holds the desktop program quillon, the command line tool
quillon-cli, the q30sim emulator and the device library libQ30COM32 with
its header, pkg-config file and CMake package.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# The architecture is left to CPack, which asks dpkg --print-architecture.
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
if(NOT DEFINED CPACK_DEBIAN_PACKAGE_MAINTAINER)
  set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Quillon developers <maintainers@quillon.example.org>")
endif()
set(CPACK_DEBIAN_PACKAGE_SECTION comm)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${QUILLON_HOMEPAGE}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# The package's own documents.
set(quillon_docdir ${CMAKE_INSTALL_DATADIR}/doc/quillon)
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${CMAKE_CURRENT_LIST_DIR}/copyright DESTINATION ${quillon_docdir})

include(CPack)
