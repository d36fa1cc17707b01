#!/usr/bin/env bash
# Copyright (C) 2026 The Proxy Password developers
# SPDX-License-Identifier: MIT
# The Windows packages under wine, in a fresh wine prefix with nothing else
# installed: the zip is at most 10 MB (30 MB unpacked); both executables are
# console-subsystem programs with ASLR (high entropy) and DEP and carry the
# icon and version information; the zip unpacked into an empty folder gives a
# program that passes the real-window test; and the installer, run silently,
# installs it into the 64-bit Program Files with its Start-menu entry and
# uninstaller (the same files as the zip's: CPack stages both alike).
# Usage (in a Windows cross build): xvfb-run windows_packages.sh BUILD_DIR
set -euo pipefail
build=$1
tmp=$(mktemp -d)
trap 'wineserver -k 2>/dev/null || true; rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
export WINEPREFIX=$tmp/wine WINEPATH= WINEDEBUG=-all REAL_WINDOW_XVFB=1 # wine and the windows on one display

(cd "$build" && rm -f proxy-password-*-win64* && cpack >/dev/null)
zip=$(echo "$build"/proxy-password-*-win64.zip)
(mkdir "$tmp/unzipped" && cd "$tmp/unzipped" && cmake -E tar xf "$zip")
folder=$(echo "$tmp"/unzipped/*)
[ "$(stat -c %s "$zip")" -le 10000000 ] && [ "$(du -sb "$folder" | cut -f1)" -le 30000000 ] \
    || fail "the zip is over 10 MB or over 30 MB unpacked: $(du -h "$zip") $(du -sh "$folder")"
for exe in proxy-password proxy-password-encode; do # subsystem 3: console
    flags='^\s*(Subsystem\s+0*3\s|HIGH_ENTROPY_VA|DYNAMIC_BASE|NX_COMPAT)'
    [ "$(x86_64-w64-mingw32-objdump -p "$folder/$exe.exe" | grep -Ec "$flags")" = 4 ] \
        || fail "$exe.exe: not a console program with ASLR (high entropy) and DEP"
    [ "$(wrestool -l "$folder/$exe.exe" | grep -Ec "name='IDI_ICON1'.*group_icon|type=version")" = 2 ] \
        || fail "$exe.exe: no icon or version information"
done
"$(dirname "$0")/real_window.sh" wine "$folder/proxy-password.exe"

wine "$build"/proxy-password-*-win64-setup.exe /S
installed=$WINEPREFIX/drive_c/Program\ Files/Proxy\ Password
ls "$installed/proxy-password.exe" "$installed/Uninstall.exe" >/dev/null # ls names what is missing
ls "$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Proxy Password/Proxy Password.lnk" >/dev/null
