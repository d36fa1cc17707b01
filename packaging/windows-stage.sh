#!/usr/bin/env bash
# Copyright (C) 2026 The Proxy Password developers
# SPDX-License-Identifier: MIT
# Stages a Windows build's install (windows-install.cmake's list: both
# programs, the toolkit's DLLs and plugins, the compiler's runtime, the
# licences) into BUILD_DIR/stage/NAME,
# NAME being the packages' (proxy-password-VERSION-win64), and prints that
# folder. Every DLL and program is stripped: the toolkit's and the compiler's
# runtime come with their symbols, which would more than double the download.
# With SOURCE_DATE_EPOCH every file and folder gets that date (strip takes it
# for the PE header's time stamp, too), so the same source gives the same
# packages.
# Run inside the trixie root. Usage: packaging/windows-stage.sh BUILD_DIR
set -euo pipefail
build=$1
cache() { sed -n "s/^$1:[A-Z]*=//p" "$build/CMakeCache.txt"; }
folder=$build/stage/proxy-password-$(cache CMAKE_PROJECT_VERSION)-win64
rm -rf "$build/stage"
cmake --install "$build" --prefix "$folder" --strip >/dev/null
find "$folder" -name '*.dll' -o -name '*.exe' | xargs "$(cache CMAKE_STRIP)" --strip-unneeded
[ -z "${SOURCE_DATE_EPOCH:-}" ] || find "$folder" -exec touch --no-dereference --date="@$SOURCE_DATE_EPOCH" {} +
echo "$folder"
