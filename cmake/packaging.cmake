# SPDX-FileCopyrightText: 2026 The Generic V7 developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Three Debian packages, made by "cpack -G DEB" in any configured build folder (scripts/package.sh
# makes a fresh one): generic-v7 (the workbench, the plug-in, the desktop entry, the icon and the
# manual page), librerezorhost1 (the host library) and librerezorhost-dev (its headers, the .so
# link and the CMake package for building further tools plug-ins).
set(GV7_DEBIAN_REVISION 1)
set(GV7_DEBIAN_VERSION "${PROJECT_VERSION}-${GV7_DEBIAN_REVISION}")
set(GV7_PACKAGES generic-v7 librerezorhost1 librerezorhost-dev)

# Each package carries the machine-readable copyright and the Debian changelog.
configure_file(${CMAKE_CURRENT_LIST_DIR}/debian/changelog ${CMAKE_BINARY_DIR}/debian/changelog @ONLY)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/debian/changelog.Debian.gz
    COMMAND gzip -9nc ${CMAKE_BINARY_DIR}/debian/changelog > ${CMAKE_BINARY_DIR}/debian/changelog.Debian.gz
    DEPENDS ${CMAKE_BINARY_DIR}/debian/changelog)
add_custom_target(debian-changelog ALL DEPENDS ${CMAKE_BINARY_DIR}/debian/changelog.Debian.gz)
# The packages are not uploaded to Debian's archive, so their first version closes no request
# for packaging there.
foreach(package IN LISTS GV7_PACKAGES)
    install(FILES ${CMAKE_CURRENT_LIST_DIR}/debian/copyright ${CMAKE_BINARY_DIR}/debian/changelog.Debian.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${package} COMPONENT ${package})
    file(WRITE ${CMAKE_BINARY_DIR}/debian/overrides/${package} "${package}: initial-upload-closes-no-bugs\n")
    install(FILES ${CMAKE_BINARY_DIR}/debian/overrides/${package}
        DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides COMPONENT ${package})
endforeach()

if(NOT CMAKE_INSTALL_LIBDIR STREQUAL "lib/${CMAKE_LIBRARY_ARCHITECTURE}")
    message(WARNING "CMAKE_INSTALL_LIBDIR is ${CMAKE_INSTALL_LIBDIR}: Debian packages from this build will not "
                    "have their libraries in lib/${CMAKE_LIBRARY_ARCHITECTURE}")
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME generic-v7)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Generic V7 maintainers <maintainers@generic-v7.invalid>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# Installed with DESTDIR and the prefix /usr, so that install rules know they install for a package.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# The binaries' unneeded sections go and the library's symbols file is made once the files are
# staged (cmake/debian/prebuild.cmake).
find_program(GV7_DPKG_GENSYMBOLS dpkg-gensymbols)
set(CPACK_GV7_OBJCOPY ${CMAKE_OBJCOPY})
set(CPACK_GV7_GENSYMBOLS ${GV7_DPKG_GENSYMBOLS})
set(CPACK_GV7_SYMBOLS_FILE ${CMAKE_BINARY_DIR}/debian/symbols/symbols)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/debian/prebuild.cmake)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL ${GV7_PACKAGES})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE ${GV7_DEBIAN_REVISION})
set(CPACK_DEBIAN_PACKAGE_SOURCE generic-v7)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "")
# Dependencies between the packages, at exactly this version.
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)
set(CPACK_COMPONENT_GENERIC-V7_DEPENDS librerezorhost1)
set(CPACK_COMPONENT_LIBREREZORHOST-DEV_DEPENDS librerezorhost1)
# dpkg-shlibdeps works out the other libraries' packages from the binaries; the host library is
# found in the build, its package is the dependency above.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_BINARY_DIR}/host)
# CPack writes its own postinst and postrm unless files of these names are listed; listed but
# absent, none is written.
set(gv7_no_scripts ${CMAKE_CURRENT_BINARY_DIR}/no-maintainer-scripts/postinst
                   ${CMAKE_CURRENT_BINARY_DIR}/no-maintainer-scripts/postrm)

set(CPACK_DEBIAN_GENERIC-V7_PACKAGE_NAME generic-v7)
set(CPACK_DEBIAN_GENERIC-V7_PACKAGE_SECTION electronics)
# Qt loads its SVG icon engine and image reader as plug-ins at run time, where dpkg-shlibdeps
# cannot see them; every window and page icon is an SVG.
set(CPACK_DEBIAN_GENERIC-V7_PACKAGE_DEPENDS "libqt5svg5 (>= ${Qt5_VERSION_MAJOR}.${Qt5_VERSION_MINOR})")
# Qt's German standard buttons (Yes, No, Apply...) for the German interface.
set(CPACK_DEBIAN_GENERIC-V7_PACKAGE_RECOMMENDS qttranslations5-l10n)
set(CPACK_DEBIAN_GENERIC-V7_PACKAGE_CONTROL_EXTRA ${gv7_no_scripts})
set(CPACK_COMPONENT_GENERIC-V7_DESCRIPTION
"start-up tools plug-in for stepper drives with encoder, and its workbench
Guides a drive engineer through the start-up of one axis of a stepper drive
with an incremental ABN encoder in closed loop: motor, encoder and closed-loop
steps, a motion test and a live monitor, collected as a setup program.
.
The package holds the tools plug-in and the workbench that hosts it on a
simulated module, with a scope, setup programs as files and a headless
guided commissioning (workbench --auto).")

set(CPACK_DEBIAN_LIBREREZORHOST1_PACKAGE_NAME librerezorhost1)
set(CPACK_DEBIAN_LIBREREZORHOST1_PACKAGE_SECTION libs)
# Only the library package has a versioned library, so only it gets a shlibs file.
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
# The library cache is brought up to date by the ldconfig trigger, as Debian's own library
# packages do, instead of maintainer scripts.
set(CPACK_DEBIAN_LIBREREZORHOST1_PACKAGE_CONTROL_EXTRA ${CMAKE_CURRENT_LIST_DIR}/debian/triggers ${CPACK_GV7_SYMBOLS_FILE}
    ${gv7_no_scripts})
set(CPACK_COMPONENT_LIBREREZORHOST1_DESCRIPTION
"host library for Generic V7 tools plug-ins
The interfaces between a host application and its tools plug-ins (tools,
modules, commands and polling requests), the plug-in registry and the widgets
the tools share, as the Generic V7 workbench and its plug-in use them.
.
This package holds the shared library.")

set(CPACK_DEBIAN_LIBREREZORHOST-DEV_PACKAGE_NAME librerezorhost-dev)
set(CPACK_DEBIAN_LIBREREZORHOST-DEV_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_LIBREREZORHOST-DEV_PACKAGE_DEPENDS "qtbase5-dev (>= ${Qt5_VERSION_MAJOR}.${Qt5_VERSION_MINOR})")
set(CPACK_DEBIAN_LIBREREZORHOST-DEV_PACKAGE_SUGGESTS "cmake, g++")
set(CPACK_DEBIAN_LIBREREZORHOST-DEV_PACKAGE_CONTROL_EXTRA ${gv7_no_scripts})
set(CPACK_COMPONENT_LIBREREZORHOST-DEV_DESCRIPTION
"host library for Generic V7 tools plug-ins (development files)
The interfaces between a host application and its tools plug-ins (tools,
modules, commands and polling requests), the plug-in registry and the widgets
the tools share, as the Generic V7 workbench and its plug-in use them.
.
This package holds the headers, the link to the library and the CMake package
for building further tools plug-ins: find_package(RerezorHost).")
include(CPack)
