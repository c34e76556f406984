# SPDX-FileCopyrightText: 2026 The Generic V7 developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installation layout. Libraries go to lib/<multiarch> for every prefix, as in the Debian
# packages, so that packages made from any configured build (and scripts/package.sh) have the same
# paths; an older build folder that has GNUInstallDirs' plain "lib" is moved over as well.
if(CMAKE_LIBRARY_ARCHITECTURE)
    get_property(gv7_libdir_help CACHE CMAKE_INSTALL_LIBDIR PROPERTY HELPSTRING)
    if(NOT DEFINED CACHE{CMAKE_INSTALL_LIBDIR}
       OR (CMAKE_INSTALL_LIBDIR STREQUAL "lib" AND gv7_libdir_help STREQUAL "Object code libraries (lib)"))
        set(CMAKE_INSTALL_LIBDIR "lib/${CMAKE_LIBRARY_ARCHITECTURE}" CACHE PATH
            "Object code libraries (lib/<multiarch>, as in the Debian packages)" FORCE)
    endif()
endif()
include(GNUInstallDirs)

# The installed workbench finds the plug-in through a path relative to its own folder, so the
# whole tree can move to another prefix.
set(GV7_PLUGIN_INSTALL_DIR "${CMAKE_INSTALL_LIBDIR}/rerezor/plugins/tools")
file(RELATIVE_PATH GV7_PLUGIN_FROM_BINDIR "${CMAKE_INSTALL_FULL_BINDIR}"
     "${CMAKE_INSTALL_FULL_LIBDIR}/rerezor/plugins/tools")

# Outside the system's library folders the installed programs find librerezorhost through a
# path relative to themselves; in them they need no run path at all.
list(FIND CMAKE_CXX_IMPLICIT_LINK_DIRECTORIES "${CMAKE_INSTALL_FULL_LIBDIR}" GV7_LIBDIR_INDEX)
set(GV7_INSTALL_RPATH OFF)
if(GV7_LIBDIR_INDEX EQUAL -1)
    set(GV7_INSTALL_RPATH ON)
endif()

# What the workbench installs goes into the package generic-v7 unless a rule says otherwise
# (the host library's rules do: librerezorhost1 and librerezorhost-dev).
set(CMAKE_INSTALL_DEFAULT_COMPONENT_NAME generic-v7)

# Gives an installed program or plug-in (FILE, relative to the prefix) a run path to the
# library folder; installed into /usr, as for a package, it gets none, whatever prefix the
# build was configured for.
function(gv7_install_run_path target file)
    if(NOT GV7_INSTALL_RPATH)
        return()
    endif()
    get_filename_component(dir "${CMAKE_INSTALL_PREFIX}/${file}" DIRECTORY)
    file(RELATIVE_PATH rel "${dir}" "${CMAKE_INSTALL_FULL_LIBDIR}")
    string(REGEX REPLACE "/$" "" rel "${rel}")
    set_target_properties(${target} PROPERTIES INSTALL_RPATH "$ORIGIN/${rel}")
    install(CODE "if(CMAKE_INSTALL_PREFIX STREQUAL \"/usr\")
        file(RPATH_REMOVE FILE \"\$ENV{DESTDIR}/usr/${file}\")
    endif()")
endfunction()
