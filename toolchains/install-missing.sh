#!/usr/bin/env bash
# Copyright (C) 2026 The Proxy Password developers
# SPDX-License-Identifier: MIT
# Installs whichever of the named Debian packages are missing (apt, as root or
# through sudo); PACKAGE:ARCH adds that architecture first. Waits while
# another apt holds its locks (apt.sh).
# Usage: toolchains/install-missing.sh PACKAGE...
set -euo pipefail
# One at a time, so that runs side by side in one system do not both install.
exec 9>"${TMPDIR:-/tmp}/proxy-password-install.lock" && flock 9
missing=()
for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
[ ${#missing[@]} -gt 0 ] || exit 0
command -v apt-get >/dev/null || { echo "please install: ${missing[*]}" >&2; exit 1; }
sudo=; [ "$(id -u)" -eq 0 ] || sudo=sudo
echo "installing: ${missing[*]}"
for arch in $(printf '%s\n' "${missing[@]}" | sed -n 's/.*:\(.*\)/\1/p' | sort -u); do # PACKAGE:ARCH
    dpkg --print-foreign-architectures | grep -qx "$arch" || $sudo dpkg --add-architecture "$arch"
done
here=$(dirname "$0")
$sudo "$here/apt.sh" update
$sudo "$here/apt.sh" install -y --no-install-recommends "${missing[@]}"
