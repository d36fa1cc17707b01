#!/usr/bin/env bash
# Builds the .deb, unpacks it into a scratch root and runs the programs from
# there: the encoder on a pipe, the window through the real-window test.
# Usage: package.sh BUILD_DIR APP_ID
set -euo pipefail
build=$1 app_id=$2
here=$(cd "$(dirname "$0")" && pwd)
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

rm -f "$build"/proxy-password_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/proxy-password_*.deb)
dpkg -x "$deb" "$root"
[[ $(dpkg-deb -f "$deb" Depends) == *libqt6widgets6* ]] || fail "Qt is missing from Depends"
for f in share/applications/$app_id.desktop share/metainfo/$app_id.metainfo.xml; do
    [ -e "$root/usr/$f" ] || fail "the package lacks /usr/$f"
done
[ "$(printf 'abc\n' | "$root/usr/bin/proxy-password-encode")" = 00000004789c8b0cf7ca0200036b0165 ] \
    || fail "the packaged encoder gives another string"
xvfb-run -a "$here/real_window.sh" "$root/usr/bin/proxy-password"
