#!/usr/bin/env bash
# Copyright (C) 2026 The Proxy Password developers
# SPDX-License-Identifier: MIT
# The release command, run in two clones of the last commit at different paths
# and times, gives the same files; and the Debian 12 package from it installs
# with apt on Debian 13 and works there (the real-window test on X11 and
# Wayland, the encoder).
# Usage (on the Debian 12 system, as root or with sudo): release.sh SOURCE_DIR APP_ID
set -euo pipefail
src=$1 app_id=$2
tmp=$(mktemp -d /var/tmp/proxy-password-release.XXXXXX)
trap 'rm -rf "$tmp"' EXIT
sudo=; [ "$(id -u)" -eq 0 ] || sudo=sudo

for clone in one "other/clone"; do
    git clone -q "$src" "$tmp/$clone"
    "$tmp/$clone/dev.sh" release "$tmp/$clone/out" >/dev/null
done
diff "$tmp/one/out/SHA256SUMS" "$tmp/other/clone/out/SHA256SUMS" || { echo "FAIL: not reproducible" >&2; exit 1; }

$sudo "$tmp/one/platform/trixie.sh" bash -c "set -e
    platform/install-missing.sh ./out/proxy-password_*_amd64.deb xvfb xauth xdotool xclip sway wtype wl-clipboard
    trap 'apt-get purge -y -qq proxy-password >/dev/null' EXIT
    tests/real_window.sh x11 /usr/bin/proxy-password
    tests/real_window.sh wayland /usr/bin/proxy-password $app_id
    [ \"\$(printf 'abc\n' | proxy-password-encode)\" = 00000004789c8b0cf7ca0200036b0165 ]"
