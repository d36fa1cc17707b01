#!/usr/bin/env bash
# Copyright (C) 2026 The Proxy Password developers
# SPDX-License-Identifier: MIT
# The Windows packages under wine, in a fresh wine prefix with nothing else
# installed: the zip is at most 10 MB (30 MB unpacked); both executables are
# console-subsystem programs with ASLR (high entropy) and DEP and carry the
# icon and version information. The MSI writes every GUID in upper case and,
# installed silently into a folder of the administrator's choice and on the
# system PATH, puts the zip's files there, a Start-menu entry and one "Apps"
# entry (the folder's lock to administrators, wine does not apply: only
# Windows shows it); the installed window works (the real-window test; the encoder is the
# zip's, which encoder.py runs); the same files packed as a higher
# version, installed with no properties, upgrade it in that folder with the
# PATH entry kept (still one entry); the lower version then refuses to
# install; uninstalling leaves nothing behind, the PATH entry and the
# remembered folder included: installed again with no properties, it goes
# into the 64-bit Program Files and leaves PATH alone.
# It refuses to install over an installation by the NSIS setup.exe of earlier builds.
# Usage (in a Windows cross build): xvfb-run windows_packages.sh BUILD_DIR
set -euo pipefail
build=$1 packaging=$(dirname "$0")/../packaging
tmp=$(mktemp -d)
trap 'wineserver -k 2>/dev/null || true; rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
export WINEPREFIX=$tmp/wine WINEPATH= WINEDEBUG=-all REAL_WINDOW_XVFB=1 # wine and the windows on one display

# Made as the release command makes them.
folder=$("$packaging/windows-stage.sh" "$build" | tail -n1) zip=$tmp/packed.zip msi=$tmp/packed.msi
python3 "$packaging/windows-zip.py" "$folder" "$zip"
"$packaging/msi.sh" "$folder" "$msi" "$(basename "$folder" | cut -d- -f3)" "$build/proxy-password.ico"
(mkdir "$tmp/unzipped" && cd "$tmp/unzipped" && cmake -E tar xf "$zip") && diff -r "$folder" "$tmp"/unzipped/* || fail "the zip is not the staged folder"
[ "$(stat -c %s "$zip")" -le 10000000 ] && [ "$(du -sb "$folder" | cut -f1)" -le 30000000 ] \
    || fail "the zip is over 10 MB or over 30 MB unpacked: $(du -h "$zip") $(du -sh "$folder")"
for exe in "$folder"/proxy-password*.exe; do # subsystem 3: console
    pe=$(x86_64-w64-mingw32-objdump -p "$exe" | grep -Ec '^\s*(Subsystem\s+0*3\s|HIGH_ENTROPY_VA|DYNAMIC_BASE|NX_COMPAT)')
    resources=$(wrestool -l "$exe" | grep -Ec "name='IDI_ICON1'.*group_icon|type=version")
    [ "$pe $resources" = "4 2" ] || fail "$exe: not a console program with ASLR (high entropy), DEP, icon and version"
done

"$packaging/msi.sh" "$folder" "$tmp/higher.msi" 99.0.0 "$build/proxy-password.ico"
installed=$WINEPREFIX/drive_c/Tools/PP
# Windows Installer wants upper-case GUIDs (wine takes either): the product, upgrade, component and package codes.
lower=$( (for table in $(msiinfo tables "$msi"); do msiinfo export "$msi" "$table"; done; msiinfo suminfo "$msi") |
         grep -aoiE '[0-9a-f]{8}(-[0-9a-f]{4}){3}-[0-9a-f]{12}' | grep '[a-f]' || true)
[ -z "$lower" ] || fail "GUIDs in lower case: $lower"
on_path() { wine reg query 'HKLM\System\CurrentControlSet\Control\Session Manager\Environment' /v PATH | grep -F 'C:\Tools\PP' >/dev/null; }
apps() { wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s | grep -cE 'DisplayName +REG_SZ +Proxy Password\s*$'; } # "Apps" entries
# Where the earlier setup.exe registered its installation.
wine reg add 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Proxy Password' /v UninstallString /d x /f >/dev/null
! wine msiexec /i "$msi" /qn || fail "installed over an installation by the earlier setup.exe"
wine reg delete 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Proxy Password' /f >/dev/null
wine msiexec /i "$msi" /qn 'INSTALLDIR=C:\Tools\PP' ADD_TO_PATH=1
diff -r "$folder" "$installed" && on_path || fail "not the zip's files in the chosen folder, or that folder not on PATH"
"$(dirname "$0")/real_window.sh" wine "$installed/proxy-password.exe"
# wine puts even a per-machine Start-menu entry into the user's Start menu.
ls "$WINEPREFIX"/drive_c/users/*/AppData/Roaming/Microsoft/Windows/Start\ Menu/Programs/Proxy\ Password.lnk >/dev/null
[ "$(apps)" = 1 ] || fail "Apps lists $(apps) entries"
wine msiexec /i "$tmp/higher.msi" /qn
diff -qr "$folder" "$installed" >/dev/null && [ ! -e "$WINEPREFIX/drive_c/Program Files/Proxy Password" ] && on_path \
    && [ "$(apps)" = 1 ] || fail "the upgrade left the chosen folder, took it off PATH or added an Apps entry"
! wine msiexec /i "$msi" /qn || fail "a lower version installed over a higher one"
wine msiexec /x "$tmp/higher.msi" /qn
left=$(find "$WINEPREFIX/drive_c" -ipath '*proxy password*' -o -path '*/Tools/PP' -o -name '*.msi'
       [ "$(apps)" = 0 ] || echo "the Apps entry"; ! on_path || echo "the PATH entry")
[ -z "$left" ] || fail "left behind: $left"
wine msiexec /i "$msi" /qn
diff -qr "$folder" "$WINEPREFIX/drive_c/Program Files/Proxy Password" >/dev/null && ! on_path \
    || fail "installed with no properties after a removal: not into Program Files, or on PATH"
