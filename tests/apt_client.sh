#!/usr/bin/env bash
# Copyright (C) 2026 The Proxy Password developers
# SPDX-License-Identifier: MIT
# The apt repository as an administrator uses it, run by release.sh inside a
# clean Debian root with the repository served as .../good/: the guide's steps;
# then apt must refuse the repository signed by another key (.../other/),
# install the earlier of its two versions by version and upgrade it (the
# installed package's own tests: the autopkgtests). Where apt checks with sqv
# (Debian 13) also: SHA256SUMS checked with sqv. Last, with arm64 added, apt
# installs the arm64 package in its place, and its encoder, run under qemu, must work.
# Usage (release.sh, in the root, whose /root holds the guide's steps, the release key and
# SHA256SUMS): apt_client.sh GUIDE_STEPS_FILE
set -euo pipefail
guide=$1
cd /root
. /etc/os-release
export DEBIAN_FRONTEND=noninteractive
bash -e "$guide"
mkdir -p /tmp/other/lists/partial && sed "s|/good/|/other/|" /etc/apt/sources.list.d/*.sources >/tmp/other/x.sources
{ apt-get update -o Dir::Etc::SourceList=/dev/null -o Dir::Etc::SourceParts=/tmp/other -o Dir::State::Lists=/tmp/other/lists \
      2>&1 || true; } | grep -q 'is not signed'
apt-get update -qq
earlier=0.9.0~deb${VERSION_ID}u1
apt-get install -y -qq --no-install-recommends "proxy-password=$earlier" >/dev/null
apt-get install -y -qq proxy-password >/dev/null
[ "$(dpkg-query -W -f '${Version}' proxy-password)" != "$earlier" ]
! command -v sqv >/dev/null || sqv --keyring ./*.pgp SHA256SUMS.asc SHA256SUMS >/dev/null # Debian 13, whose apt checks with sqv
dpkg --add-architecture arm64 && apt-get update -qq
apt-get install -y -qq --no-install-recommends proxy-password:arm64 qemu-user-static >/dev/null
[ "$(printf 'abc\n' | QEMU_LD_PREFIX=/ qemu-aarch64-static /usr/bin/proxy-password-encode)" = 00000004789c8b0cf7ca0200036b0165 ]
