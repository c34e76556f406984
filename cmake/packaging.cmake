# One Debian package with the workbench, the plug-in and the host stand-in (library, headers and
# CMake package for plug-in authors): cpack -G DEB in a build folder configured with
# CMAKE_INSTALL_PREFIX=/usr, as scripts/package.sh does.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME generic-v7)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Generic V7 maintainers <maintainers@generic-v7.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Start-up tools plug-in for stepper drives with encoder, and its workbench")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"Guides a drive engineer through the start-up of one axis of a stepper drive
with an incremental ABN encoder in closed loop: motor, encoder and closed-loop
steps, a motion test and a live monitor, collected as a setup program.

The package holds the tools plug-in, the workbench that hosts it on a
simulated module (with a headless guided commissioning, workbench --auto),
and the host stand-in library with headers and a CMake package
(find_package(RerezorHost)) for building further tools plug-ins.")
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# dpkg-shlibdeps works out the libraries' packages from the binaries themselves.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
# Qt loads its SVG icon engine and image reader as plug-ins at run time, where dpkg-shlibdeps
# cannot see them; every window and page icon is an SVG.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt5svg5 (>= ${Qt5_VERSION_MAJOR}.${Qt5_VERSION_MINOR})")
# Only for building plug-ins against the installed host library.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "cmake, g++, qtbase5-dev")
set(CPACK_STRIP_FILES ON)
# The library cache is brought up to date by the ldconfig trigger, as Debian's own library
# packages do, instead of maintainer scripts: without a postrm, "apt remove" leaves no trace of
# the package in dpkg's database either. CPack writes its own postinst and postrm unless files of
# these names are listed; listed but absent, none is written.
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_CURRENT_LIST_DIR}/debian/triggers
    ${CMAKE_CURRENT_BINARY_DIR}/no-maintainer-scripts/postinst ${CMAKE_CURRENT_BINARY_DIR}/no-maintainer-scripts/postrm)
include(CPack)
