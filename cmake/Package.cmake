# `make package`: a Debian package through CPack. Runtime dependencies of the executables are
# computed by dpkg-shlibdeps; only what is loaded at run time without being linked is named here.
# `make package` builds first; the package itself only collects what is built.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME airmotor)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Air Motor Selector project")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "choose a compressed-air motor from a catalogue for a duty")
set(CPACK_PACKAGE_DESCRIPTION
  "Air Motor Selector searches a catalogue of compressed-air motors for a working point\n(torque, speed, supply pressure), shows the motors' figures, performance diagrams and\ndimension drawings, and prints data sheets. Includes airmotor-cli for scripts.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Air Motor Selector project <maintainers@airmotorselector.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The SQLite driver and the window-system plugins are Qt plugins (loaded, not linked); libwmf finds
# its fonts at run time.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite, qt6-qpa-plugins, fonts-urw-base35")
include(CPack)

# The package as built: its file list (dpkg-deb --contents) holds the programs, data and desktop files.
find_program(DPKG_DEB_EXECUTABLE dpkg-deb)
if(DPKG_DEB_EXECUTABLE)
  add_test(NAME debian_package
    COMMAND sh ${CMAKE_SOURCE_DIR}/tests/install/check-package.sh ${CMAKE_BINARY_DIR})
  set_tests_properties(debian_package PROPERTIES TIMEOUT 600 RUN_SERIAL TRUE LABELS install)
endif()
