#!/usr/bin/env bash
# Builds the .deb, unpacks it into a scratch root and runs the installed
# programs: the encoder on a pipe, the window through the end-to-end test.
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
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
[[ $depends == *libqt6widgets6* && $depends == *libqt6core6* ]] || fail "Qt is missing from Depends"

for f in bin/proxy-password bin/proxy-password-encode \
         share/applications/$app_id.desktop share/metainfo/$app_id.metainfo.xml; do
    [ -e "$root/usr/$f" ] || fail "the package lacks /usr/$f"
done
[ "$(printf 'abc\n' | "$root/usr/bin/proxy-password-encode")" = 00000004789c8b0cf7ca0200036b0165 ] \
    || fail "the installed encoder gives another string"
"$here/e2e_window.sh" "$root/usr/bin/proxy-password" typed
