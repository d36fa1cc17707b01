#!/usr/bin/env bash
# Copyright (C) 2026 The Proxy Password developers
# SPDX-License-Identifier: MIT
# The Windows leg: the programs and their tests cross-built in BUILD_DIR
# (toolchains/windows-build.sh), the tests run under wine; and the toolkit's
# build, asked for a pinned source that Debian's archive no longer has, gives
# way to the one it has, saying so.
# Run inside the trixie root: toolchains/debian-root.sh tests/windows_leg.sh BUILD_DIR
set -euo pipefail
build=$1
toolchains/windows-build.sh "$build"
qt=$(toolchains/qt-windows.sh | tail -n1)

QT_WINDOWS_PINNED=0 toolchains/qt-windows.sh source-version 2>&1 | grep "^qt-windows.sh: qt6-base 0 is no longer" >/dev/null \
    || { echo "FAIL: no fallback from a toolkit source that the archive lacks" >&2; exit 1; }

# The tests in the build tree find the toolkit's and the compiler's DLLs
# through wine's PATH (wine's drive Z: is /); the package test clears it.
path=Z:$qt/bin
while read -r dll _; do path+=";Z:$(dirname "$dll")"; done <"$build/mingw-runtime.txt"
export WINEPREFIX=$PWD/$build/wine WINEDEBUG=-all WINEPATH=${path//\//\\}
ctest --test-dir "$build" --output-on-failure --no-tests=error
