#!/usr/bin/env bash
# Copyright (C) 2026 The Proxy Password developers
# SPDX-License-Identifier: MIT
# Cross-builds both programs and the .deb for 64-bit ARM (arm64: Raspberry Pi,
# ARM laptops and servers) against Debian 12's arm64 Qt, and runs the encoder
# under qemu: its string must be exact. Installs arm64 packages, so it runs in
# a Debian 12 root of its own, never on the host:
#   sudo DEBIAN_SUITE=bookworm platform/trixie.sh platform/arm64.sh [BUILD_DIR]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-build-arm64}

dpkg --print-foreign-architectures | grep -qx arm64 || { dpkg --add-architecture arm64 && apt-get update -qq; }
"$here/install-missing.sh" cmake crossbuild-essential-arm64 qt6-base-dev:arm64 qt6-base-dev-tools qemu-user-static \
    dpkg-dev file
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DCMAKE_TOOLCHAIN_FILE="$here/aarch64.cmake" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
cmake --build "$build" --parallel "$(nproc)"
string=$(printf 'abc\n' | QEMU_LD_PREFIX=/usr/aarch64-linux-gnu qemu-aarch64-static "$build/cli/proxy-password-encode")
[ "$string" = 00000004789c8b0cf7ca0200036b0165 ] || { echo "FAIL: arm64 encoder: $string" >&2; exit 1; }
(cd "$build" && cpack -G DEB -D CPACK_DEBIAN_PACKAGE_ARCHITECTURE=arm64 >/dev/null && ls ./*.deb)
