# Copyright (C) 2026 The Proxy Password developers
# SPDX-License-Identifier: MIT
# Included by the Windows toolkit's configure (CMAKE_PROJECT_QtBase_INCLUDE).
# Qt builds its bundled HarfBuzz file by file, as it does every third-party
# library; HarfBuzz is written to build as one file too (its harfbuzz.cc), so
# here it joins the unity build, which makes its part of the build a third.
function(proxy_password_unity_harfbuzz)
    get_target_property(sources BundledHarfbuzz SOURCES)
    get_target_property(dir BundledHarfbuzz SOURCE_DIR)
    list(TRANSFORM sources PREPEND "${dir}/" REGEX "^[^/]")
    set_source_files_properties(${sources} DIRECTORY "${dir}" PROPERTIES SKIP_UNITY_BUILD_INCLUSION OFF)
    # Joined, the subsetter's repacker code is emitted, which needs this file
    # (HarfBuzz's own harfbuzz-subset.cc has it; Qt's list does not).
    target_sources(BundledHarfbuzz PRIVATE "${dir}/src/graph/gsubgpos-context.cc")
    set_property(TARGET BundledHarfbuzz PROPERTY UNITY_BUILD ON)
endfunction()
# At the end of the top directory, when the target and its sources exist.
cmake_language(DEFER CALL proxy_password_unity_harfbuzz)
