#!/usr/bin/env bash
# Copyright (C) 2026 The Proxy Password developers
# SPDX-License-Identifier: MIT
# Builds the .deb and holds what it installs to Debian's own checks: lintian,
# hardening-check on both programs, man on the manual pages, and the desktop
# entry and metainfo validators. (The programs themselves are the build's,
# which the other tests run.)
# With --release: the release command, run in two clones of the last commit at
# different paths and times, gives the same files; and the Debian 12 package
# from it installs with apt on Debian 13 and works there (the real window on
# Wayland, the encoder). This needs root (or sudo) and the Debian 13 root.
# Usage: package.sh BUILD_DIR APP_ID  |  package.sh --release SOURCE_DIR APP_ID
set -euo pipefail
build=$1 app_id=$2
tmp=$(mktemp -d /var/tmp/proxy-password-package.XXXXXX)
trap 'rm -rf "$tmp"' EXIT

if [ "$1" = --release ]; then
    src=$2 app_id=$3
    for clone in one other/clone; do
        git clone -q "$src" "$tmp/$clone"
        "$tmp/$clone/dev.sh" release "$tmp/$clone/out" >/dev/null
    done
    diff "$tmp/one/out/SHA256SUMS" "$tmp/other/clone/out/SHA256SUMS" || { echo "FAIL: not reproducible" >&2; exit 1; }
    sudo=; [ "$(id -u)" -eq 0 ] || sudo=sudo
    $sudo "$tmp/one/platform/trixie.sh" bash -c "set -e
        platform/install-missing.sh ./out/proxy-password_*_amd64.deb sway wtype wl-clipboard
        trap 'apt-get purge -y -qq proxy-password >/dev/null' EXIT
        tests/real_window.sh wayland /usr/bin/proxy-password $app_id
        [ \"\$(printf 'abc\n' | proxy-password-encode)\" = 00000004789c8b0cf7ca0200036b0165 ]"
    exit
fi

(cd "$build" && rm -f proxy-password_*.deb && cpack -G DEB >/dev/null)
deb=$(ls "$build"/proxy-password_*.deb)
lintian --fail-on error,warning --allow-root "$deb"
dpkg -x "$deb" "$tmp"
# Not asked for: control-flow protection, which needs every object linked to
# carry it, the C library's start files too, and Debian's do not; branch
# protection, an arm64 feature (the option is not in Debian 12's tool).
hardening-check --nocfprotection $(hardening-check --help 2>&1 | grep -o -- --nobranchprotection) \
    "$tmp"/usr/bin/proxy-password "$tmp"/usr/bin/proxy-password-encode
warnings=$(MANWIDTH=80 man --warnings -l "$tmp"/usr/share/man/man1/*.1.gz 2>&1 >/dev/null)
[ -z "$warnings" ] || { echo "FAIL: man: $warnings" >&2; exit 1; }
desktop-file-validate "$tmp/usr/share/applications/$app_id.desktop"
appstreamcli validate --no-net --pedantic "$tmp/usr/share/metainfo/$app_id.metainfo.xml"
