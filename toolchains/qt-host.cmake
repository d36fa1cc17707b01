# Copyright (C) 2026 The Proxy Password developers
# SPDX-License-Identifier: MIT

# A cross build runs the toolkit's tools (moc, rcc) of the build machine: Debian's.
execute_process(COMMAND dpkg-architecture -qDEB_BUILD_MULTIARCH OUTPUT_VARIABLE build_multiarch
                OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
set(QT_HOST_PATH /usr CACHE PATH "The build machine's toolkit")
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/${build_multiarch}/cmake CACHE PATH "The build machine's toolkit's CMake files")
