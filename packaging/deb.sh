#!/usr/bin/env bash
# Copyright (C) 2026 The Proxy Password developers
# SPDX-License-Identifier: MIT
# Builds both programs and the .deb of this Debian release for amd64, or
# cross-builds them for arm64 (Raspberry Pi, ARM laptops and servers) against
# this release's arm64 Qt, and runs the encoder (arm64: under qemu): its
# string must be exact. Cross-building installs arm64 packages, so it runs in
# a Debian root of its own, never on the host; prints the .deb's path.
#   sudo DEBIAN_SUITE=bookworm DEBIAN_ROOT=bookworm-arm64 toolchains/debian-root.sh packaging/deb.sh arm64 [BUILD_DIR]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
arch=$1 build=${2:-build-$1}

run=() cross=() packages=(cmake g++ qt6-base-dev dpkg-dev file)
if [ "$arch" = arm64 ]; then
    packages=(cmake crossbuild-essential-arm64 qt6-base-dev:arm64 qt6-base-dev-tools qemu-user-static dpkg-dev file)
    run=(env QEMU_LD_PREFIX=/usr/aarch64-linux-gnu qemu-aarch64-static)
    cross=(-DCMAKE_TOOLCHAIN_FILE="$here/../toolchains/aarch64.cmake" -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake)
fi
"$here/../toolchains/install-missing.sh" "${packages[@]}"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF "${cross[@]}" >/dev/null
cmake --build "$build" --parallel "$(nproc)" >/dev/null
string=$(printf 'abc\n' | "${run[@]}" "$build/cli/proxy-password-encode")
[ "$string" = 00000004789c8b0cf7ca0200036b0165 ] || { echo "FAIL: $arch encoder: $string" >&2; exit 1; }
(cd "$build" && rm -f ./*.deb && cpack -G DEB -D CPACK_DEBIAN_PACKAGE_ARCHITECTURE="$arch" >/dev/null)
echo "$build"/proxy-password_*.deb
