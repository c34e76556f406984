# SPDX-FileCopyrightText: 2026 The Generic V7 developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs in CPack once the packages' files are staged, and does what Debian's packaging helpers do
# there: removes the compiler's .comment and .note sections, which no program reads, from every
# binary, and writes the library package's symbols file, so that a package built against the
# library depends on the version that brought the symbols it uses.
file(GLOB_RECURSE staged LIST_DIRECTORIES false "${CPACK_TEMPORARY_DIRECTORY}/*")
foreach(file IN LISTS staged)
    if(IS_SYMLINK "${file}")
        continue()
    endif()
    file(READ "${file}" magic LIMIT 4 HEX)
    if(magic STREQUAL "7f454c46")
        execute_process(COMMAND "${CPACK_GV7_OBJCOPY}" --remove-section=.comment --remove-section=.note "${file}"
                        RESULT_VARIABLE failed)
        if(failed)
            message(FATAL_ERROR "objcopy failed on ${file}")
        endif()
    endif()
endforeach()

file(REMOVE "${CPACK_GV7_SYMBOLS_FILE}")
get_filename_component(folder "${CPACK_GV7_SYMBOLS_FILE}" DIRECTORY)
file(MAKE_DIRECTORY "${folder}")
if(NOT CPACK_GV7_GENSYMBOLS)
    message(WARNING "dpkg-gensymbols not found (Debian package dpkg-dev): librerezorhost1 has no symbols file")
    return()
endif()
execute_process(COMMAND "${CPACK_GV7_GENSYMBOLS}" -q -plibrerezorhost1 -v${CPACK_PACKAGE_VERSION}
                        "-P${CPACK_TEMPORARY_DIRECTORY}/librerezorhost1" "-O${CPACK_GV7_SYMBOLS_FILE}"
                # Away from any debian/ folder, whose files it would take as its template.
                WORKING_DIRECTORY "${CPACK_TEMPORARY_DIRECTORY}"
                RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "dpkg-gensymbols failed on librerezorhost1")
endif()
# Tells a package that builds against the library which development package to build-depend on
# for the symbols' versions.
file(READ "${CPACK_GV7_SYMBOLS_FILE}" symbols)
string(REPLACE "#MINVER#\n" "#MINVER#\n* Build-Depends-Package: librerezorhost-dev\n" symbols "${symbols}")
file(WRITE "${CPACK_GV7_SYMBOLS_FILE}" "${symbols}")
