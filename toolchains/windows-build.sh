#!/usr/bin/env bash
# Copyright (C) 2026 The Proxy Password developers
# SPDX-License-Identifier: MIT
# Cross-builds the programs and their tests for 64-bit Windows against the
# toolkit that qt-windows.sh builds, after installing the Debian packages that
# the build, the packages and the tests under wine need; with "release", the
# programs only (for packaging/windows-stage.sh); with "deps", only those
# Debian packages.
# Run inside the trixie root: toolchains/debian-root.sh toolchains/windows-build.sh BUILD_DIR [release|deps]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$1

"$here/install-missing.sh" cmake ninja-build dpkg-dev g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 \
    qt6-base-dev librsvg2-bin icoutils wixl msitools uuid-runtime osslsigncode faketime wine wine64 xvfb xauth xdotool xclip python3 python3-xlib
[ "${2:-}" != deps ] || exit 0
qt=$("$here/qt-windows.sh" | tail -n1)

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$here/mingw64.cmake" -DCMAKE_PREFIX_PATH="$qt" -DCMAKE_FIND_ROOT_PATH="$qt" \
    -DCMAKE_CROSSCOMPILING_EMULATOR=wine -DBUILD_TESTING="$([ "${2:-}" = release ] && echo OFF || echo ON)"
cmake --build "$build"
