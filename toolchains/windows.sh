#!/usr/bin/env bash
# Copyright (C) 2026 The Proxy Password developers
# SPDX-License-Identifier: MIT
# The Windows leg: cross-builds the programs, their tests and their packages
# against the toolkit that qt-windows.sh builds, and runs the tests under wine;
# with "release", builds only the programs (for packaging/windows-stage.sh);
# with "deps", only installs the Debian packages the leg needs.
# Run inside the trixie root: toolchains/debian-root.sh toolchains/windows.sh [BUILD_DIR [release|deps]]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-build-windows}

"$here/install-missing.sh" cmake ninja-build dpkg-dev g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 \
    qt6-base-dev librsvg2-bin icoutils wixl msitools osslsigncode faketime wine wine64 xvfb xauth xdotool xclip python3 python3-xlib
[ "${2:-}" != deps ] || exit 0
qt=$("$here/qt-windows.sh" | tail -n1)

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$here/mingw64.cmake" -DCMAKE_PREFIX_PATH="$qt" -DCMAKE_FIND_ROOT_PATH="$qt" \
    -DCMAKE_CROSSCOMPILING_EMULATOR=wine -DBUILD_TESTING="$([ "${2:-}" = release ] && echo OFF || echo ON)"
cmake --build "$build"
[ "${2:-}" != release ] || exit 0

# A pinned toolkit source that Debian's archive lacks gives way to the one it has, saying so.
QT_WINDOWS_PINNED=0 "$here/qt-windows.sh" source-version 2>&1 | grep "^qt-windows.sh: qt6-base 0 is no longer" >/dev/null \
    || { echo "FAIL: no fallback from a toolkit source that the archive lacks" >&2; exit 1; }

# The tests in the build tree find the toolkit's and the compiler's DLLs
# through wine's PATH (wine's drive Z: is /); the package test clears it.
path=Z:$qt/bin
while read -r dll; do path+=";Z:$(dirname "$dll")"; done <"$build/mingw-runtime.txt"
export WINEPREFIX=$PWD/$build/wine WINEDEBUG=-all WINEPATH=${path//\//\\}
ctest --test-dir "$build" --output-on-failure --no-tests=error
