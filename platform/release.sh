#!/usr/bin/env bash
# Copyright (C) 2026 The Proxy Password developers
# SPDX-License-Identifier: MIT
# Makes the release files of this commit in DIR: the .deb (built on this
# Debian 12 system; it installs on Debian 13 too), the Windows zip and
# installer, and SHA256SUMS over them. Every build of the same commit gives
# the same bytes, wherever and whenever it is made: the dates are the commit's.
# Usage (via ./dev.sh release DIR): platform/release.sh DIR
set -euo pipefail
out=$(realpath -m "$1")
cd "$(dirname "$0")/.."
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
export SOURCE_DATE_EPOCH TZ=UTC
sudo=; [ "$(id -u)" -eq 0 ] || sudo=sudo

rm -rf build-release build-release-windows
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build build-release --parallel "$(nproc)" >/dev/null
(cd build-release && cpack -G DEB >/dev/null)
$sudo platform/trixie.sh env SOURCE_DATE_EPOCH="$SOURCE_DATE_EPOCH" \
    platform/windows.sh build-release-windows package >/dev/null

mkdir -p "$out"
cp build-release/proxy-password_*.deb build-release-windows/proxy-password-*-win64.zip \
    build-release-windows/proxy-password-*-win64-setup.exe "$out"
(cd "$out" && sha256sum -- *.deb *.zip *.exe >SHA256SUMS && cat SHA256SUMS)
