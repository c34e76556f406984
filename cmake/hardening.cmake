# SPDX-FileCopyrightText: 2026 The Generic V7 developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The distribution's hardening flags, as dpkg-buildflags gives them to Debian's packages (stack
# protector, fortified C library calls, relocations read-only and bound at start-up), for every
# optimised build: the build the tests run is the one the packages are made from. Optimisation
# and debug information stay the build type's; FORTIFY needs optimisation, so a Debug build goes
# without, and so do the sanitizer and fuzzer builds, which instrument the same calls themselves.
option(GV7_HARDENING "Build with the distribution's hardening flags (dpkg-buildflags)" ON)
find_program(GV7_DPKG_BUILDFLAGS dpkg-buildflags)
# Whether this build's binaries are hardened, for the install check.
set(GV7_HARDENED OFF)
if(NOT GV7_HARDENING OR GV7_SANITIZE OR GV7_FUZZ OR NOT CMAKE_BUILD_TYPE MATCHES "^(Release|RelWithDebInfo|MinSizeRel)$")
    return()
endif()
if(NOT GV7_DPKG_BUILDFLAGS)
    message(STATUS "dpkg-buildflags not found (Debian package dpkg-dev): building without the hardening flags")
    return()
endif()

function(gv7_buildflags variable out)
    execute_process(COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
                            ${GV7_DPKG_BUILDFLAGS} --get ${variable}
                    OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE)
    separate_arguments(flags UNIX_COMMAND "${flags}")
    # The build type decides optimisation and debug information; the path mapping belongs to a
    # package build's own folder; the plug-in reports its build time on purpose (the compiler
    # takes it from SOURCE_DATE_EPOCH where a build must be reproducible), so no -Wdate-time.
    list(FILTER flags EXCLUDE REGEX "^-O|^-g|^-ffile-prefix-map=|^-Wdate-time$")
    set(${out} ${flags} PARENT_SCOPE)
endfunction()
gv7_buildflags(CPPFLAGS gv7_cppflags)
gv7_buildflags(CXXFLAGS gv7_cxxflags)
gv7_buildflags(LDFLAGS gv7_ldflags)
add_compile_options(${gv7_cppflags} ${gv7_cxxflags})
add_link_options(${gv7_ldflags})
set(GV7_HARDENED ON)
message(STATUS "Hardening flags: ${gv7_cppflags} ${gv7_cxxflags} ${gv7_ldflags}")
