#!/usr/bin/env bash
# Copyright (C) 2026 The Proxy Password developers
# SPDX-License-Identifier: MIT
# The arm64 package that apt gave an arm64 client (apt_client.sh): its encoder,
# run under qemu in the arm64 build root, gives the exact string.
# Usage (release.sh, in that root): arm64_package.sh DEB
set -euo pipefail
rm -rf /tmp/arm64-package && dpkg-deb -x "$1" /tmp/arm64-package
[ "$(echo abc | QEMU_LD_PREFIX=/usr/aarch64-linux-gnu qemu-aarch64-static /tmp/arm64-package/usr/bin/proxy-password-encode)" \
    = 00000004789c8b0cf7ca0200036b0165 ]
