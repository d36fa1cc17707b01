#!/usr/bin/env bash
# Copyright (C) 2026 The Proxy Password developers
# SPDX-License-Identifier: MIT
# The Debian source package of the last commit (its upstream tarball is
# source-tarball.sh's), and its binary packages built by sbuild
# for one Debian release and architecture (arm64 cross-built), in a clean root
# made by mmdebstrap and kept in the cache, versioned VERSION-REVISION~debNu1
# so that each Debian release's package is newer than the one before. The
# build date written into the packages is the commit's.
# Usage (as root): packaging/debian.sh OUT_DIR SUITE ARCH
set -euo pipefail
out=$(realpath -m "$1") suite=$2 arch=$3
cd "$(dirname "$0")/.."
cache=${PROXY_PASSWORD_CACHE:-/var/cache/proxy-password}
toolchains/install-missing.sh sbuild mmdebstrap uidmap distro-info dpkg-dev
SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}
export SOURCE_DATE_EPOCH
work=$(mktemp -d) && trap 'rm -rf "$work"' EXIT
mkdir -p "$out" "$cache/sbuild"
# The upstream version is the tarball's; dpkg-source refuses a debian/changelog of another.
source=$(packaging/source-tarball.sh "$work") && folder=$(basename "$source" .tar.gz)
orig=$out/${folder%-*}_${folder##*-}.orig.tar.gz
mv "$source" "$orig" && tar -C "$work" -xzf "$orig"
git archive --prefix="$folder/" HEAD debian | tar -C "$work" -x
(cd "$out" && dpkg-source --build "$work/$folder" >/dev/null)

# One maker at a time: builds side by side share the roots.
root=$cache/sbuild/$suite-amd64.tar
exec 9>"$root.lock" && flock 9
if [ ! -e "$root" ]; then
    echo "debian.sh: making a Debian $suite build root in $root (about 30 s)"
    mmdebstrap --quiet --variant=buildd --format=tar "$suite" "$root.new" http://deb.debian.org/debian
    mv "$root.new" "$root"
fi
exec 9>&-
toolchains/subids.sh sbuild --chroot-mode=unshare --chroot="$root" --dist="$suite" --host="$arch" --build-dir="$out" --nolog \
    --no-run-lintian --no-run-piuparts --no-run-autopkgtest --append-to-version="~deb$(debian-distro-info --series="$suite" -r)u1" \
    --binNMU-timestamp="$SOURCE_DATE_EPOCH" --maintainer="$(sed -n 's/^Maintainer: //p' debian/control)" \
    "$out"/proxy-password_*.dsc >"$work/log" 2>&1 || { cat "$work/log" >&2; exit 1; }
rm -f "$out"/*.changes "$out"/proxy-password-dbgsym_*.deb
ls "$out"/proxy-password_*_"$arch".deb
