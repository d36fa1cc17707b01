# Copyright (C) 2026 The Proxy Password developers
# SPDX-License-Identifier: MIT

# What the Windows packages hold, a portable folder (zip) and an installer (MSI),
# as installed (packaging/windows-stage.sh): both programs, the toolkit's DLLs and
# plugins, the compiler's runtime and the licences. A cross build has no
# windeployqt, so the list is kept here; the test of the installed program is
# what keeps it complete.
install(TARGETS proxy-password proxy-password-encode RUNTIME DESTINATION .)

# The icon, drawn once as SVG, in the sizes Windows shows (256 kept as PNG),
# and the version resource with it in both programs.
set(ico ${PROJECT_BINARY_DIR}/proxy-password.ico)
set(pngs)
foreach(size IN ITEMS 16 20 24 32 40 48 64 256)
    set(png ${PROJECT_BINARY_DIR}/icon-${size}.png)
    add_custom_command(OUTPUT ${png} DEPENDS ${PROJECT_SOURCE_DIR}/dist/icon.svg
                       COMMAND rsvg-convert -w ${size} -h ${size} -o ${png} ${PROJECT_SOURCE_DIR}/dist/icon.svg)
    list(APPEND pngs ${png})
endforeach()
list(TRANSFORM pngs PREPEND --raw= REGEX "-256\\.png$" OUTPUT_VARIABLE icotool_args)
add_custom_command(OUTPUT ${ico} DEPENDS ${pngs} COMMAND icotool -c -o ${ico} ${icotool_args})
add_custom_target(icon DEPENDS ${ico})
foreach(target IN ITEMS proxy-password proxy-password-encode)
    set(description "Proxy Password")
    if(target STREQUAL proxy-password-encode)
        set(description "Proxy Password encoder for scripts")
    endif()
    configure_file(${CMAKE_CURRENT_LIST_DIR}/version.rc.in ${target}.rc @ONLY)
    target_sources(${target} PRIVATE ${PROJECT_BINARY_DIR}/${target}.rc)
    set_source_files_properties(${PROJECT_BINARY_DIR}/${target}.rc TARGET_DIRECTORY ${target}
                                PROPERTIES OBJECT_DEPENDS ${ico})
    add_dependencies(${target} icon)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION .)
# The platform plugin and the style the toolkit picks on Windows (Qt's own
# CMake files may leave plugins out until they are asked for).
foreach(plugin IN ITEMS QWindowsIntegrationPlugin QModernWindowsStylePlugin)
    find_package(Qt6${plugin} REQUIRED CONFIG PATHS ${Qt6Gui_DIR} ${Qt6Widgets_DIR}
                 NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
endforeach()
install(FILES $<TARGET_FILE:Qt6::Core> $<TARGET_FILE:Qt6::Gui> $<TARGET_FILE:Qt6::Widgets>
        DESTINATION .)
install(FILES $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin> DESTINATION platforms)
install(FILES $<TARGET_FILE:Qt6::QModernWindowsStylePlugin> DESTINATION styles)
if(MINGW) # the compiler's runtime; MSVC's comes with Windows or its redistributable
    foreach(dll IN ITEMS libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
        execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                        OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
        if(NOT IS_ABSOLUTE "${path}")
            message(FATAL_ERROR "the compiler does not know where ${dll} is")
        endif()
        get_filename_component(path ${path} REALPATH)
        install(FILES ${path} DESTINATION .)
        execute_process(COMMAND dpkg -S ${path} OUTPUT_VARIABLE package ERROR_QUIET) # Debian's package of it
        string(REGEX REPLACE ":.*" "" package "${package}")
        list(APPEND runtime_packages ${package})
        string(APPEND runtime "${path} ${package}\n")
    endforeach()
    # Where the DLLs are and their packages, for the tests under wine (windows_leg.sh) and the SBOM (sbom.py).
    file(WRITE ${CMAKE_BINARY_DIR}/mingw-runtime.txt "${runtime}")
    list(REMOVE_DUPLICATES runtime_packages)
endif()
# The toolkit's licences and where its source is (written by toolchains/qt-windows.sh),
# and the compiler runtime's (GCC's runtime exception, winpthreads' notice) from Debian.
if(EXISTS ${QT6_INSTALL_PREFIX}/share/licenses)
    install(DIRECTORY ${QT6_INSTALL_PREFIX}/share/licenses/ DESTINATION licenses/Qt)
endif()
foreach(package IN LISTS runtime_packages)
    if(EXISTS /usr/share/doc/${package}/copyright)
        install(FILES /usr/share/doc/${package}/copyright DESTINATION licenses/${package})
    endif()
endforeach()
