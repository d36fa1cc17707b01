#!/usr/bin/env bash
# Copyright (C) 2026 The Proxy Password developers
# SPDX-License-Identifier: MIT
# Builds the .deb and holds what it installs to Debian's own checks: lintian,
# hardening-check on both programs, man on the manual pages, and the desktop
# entry and metainfo validators. (The programs themselves are the build's,
# which the other tests run.)
# Usage: package.sh BUILD_DIR APP_ID
set -euo pipefail
build=$1 app_id=$2
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT

rm -f "$build"/proxy-password_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/proxy-password_*.deb)
lintian --fail-on error,warning --allow-root "$deb"
dpkg -x "$deb" "$root"
# Not asked for: control-flow protection, which needs every object linked to
# carry it, the C library's start files too, and Debian's do not; branch
# protection, an arm64 feature (the option is not in Debian 12's tool).
hardening-check --nocfprotection $(hardening-check --help 2>&1 | grep -o -- --nobranchprotection) \
    "$root"/usr/bin/proxy-password "$root"/usr/bin/proxy-password-encode
warnings=$(MANWIDTH=80 man --warnings -l "$root"/usr/share/man/man1/*.1.gz 2>&1 >/dev/null)
[ -z "$warnings" ] || { echo "FAIL: man: $warnings" >&2; exit 1; }
desktop-file-validate "$root/usr/share/applications/$app_id.desktop"
appstreamcli validate --no-net --pedantic "$root/usr/share/metainfo/$app_id.metainfo.xml"
