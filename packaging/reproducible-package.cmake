# Copyright (C) 2026 The Proxy Password developers
# SPDX-License-Identifier: MIT

# Run by CPack on the staged files before it packs them. On Windows it strips
# (and signs, if asked) every DLL and program: the toolkit's and the compiler's
# runtime come with their symbols, which would more than double the download. With
# SOURCE_DATE_EPOCH set (./dev.sh release sets the last commit's date) every
# file and folder gets that date, so the same source gives the same packages
# (strip takes it for the PE header's time stamp, too).
file(GLOB_RECURSE staged LIST_DIRECTORIES true "${CPACK_TEMPORARY_DIRECTORY}/*")
if(CPACK_PE_STRIP)
    set(binaries ${staged})
    list(FILTER binaries INCLUDE REGEX "\\.(dll|exe)$")
    foreach(file IN LISTS binaries)
        execute_process(COMMAND ${CPACK_PE_STRIP} --strip-unneeded ${file} COMMAND_ERROR_IS_FATAL ANY)
    endforeach()
    # Then signed, when asked (authenticode-sign.sh).
    execute_process(COMMAND ${CMAKE_CURRENT_LIST_DIR}/authenticode-sign.sh ${binaries} COMMAND_ERROR_IS_FATAL ANY)
endif()
if(DEFINED ENV{SOURCE_DATE_EPOCH})
    execute_process(COMMAND touch --no-dereference --date=@$ENV{SOURCE_DATE_EPOCH}
                            ${CPACK_TEMPORARY_DIRECTORY} ${staged} COMMAND_ERROR_IS_FATAL ANY)
endif()
