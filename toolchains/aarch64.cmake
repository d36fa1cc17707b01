# Copyright (C) 2026 The Proxy Password developers
# SPDX-License-Identifier: MIT

# Cross-building for 64-bit ARM (arm64) on Debian with its crossbuild-essential-arm64
# and multiarch arm64 packages; used by packaging/deb.sh.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)
# The arm64 libraries and their CMake files are in Debian's multiarch folders.
set(CMAKE_LIBRARY_ARCHITECTURE aarch64-linux-gnu)
