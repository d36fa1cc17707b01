#!/usr/bin/env bash
# Copyright (C) 2026 The Proxy Password developers
# SPDX-License-Identifier: MIT
# The Debian source package of the last commit in OUT_DIR (its upstream
# tarball is source-tarball.sh's), and its binary packages (.deb and
# .buildinfo) built by sbuild for each Debian release and architecture asked
# for (arm64 cross-built), side by side, in clean roots made by mmdebstrap and
# kept in the cache, versioned VERSION-REVISION~debNu1 so that each Debian
# release's package is newer than the one before. The build date written into
# the packages is the commit's. A source package already built for a release
# and architecture (the same .dsc, byte for byte) is taken from the cache, not
# built again. Prints the paths of the files made, the source package first.
# Usage (as root): packaging/debian.sh OUT_DIR SUITE-ARCH... (bookworm-amd64, trixie-arm64, ...)
# (OUT_DIR's files of an earlier run are replaced.)
set -euo pipefail
out=$(realpath -m "$1") && shift
cd "$(dirname "$0")/.."
. toolchains/settings.sh
toolchains/install-missing.sh sbuild mmdebstrap uidmap distro-info dpkg-dev
SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}
export SOURCE_DATE_EPOCH
work=$(mktemp -d) && trap 'rm -rf "$work"' EXIT
mkdir -p "$out" "$cache/sbuild" && rm -f "$out"/proxy-password_*
# The upstream version is the tarball's; dpkg-source refuses a debian/changelog of another.
source=$(packaging/source-tarball.sh "$work") && folder=$(basename "$source" .tar.gz)
orig=$out/${folder%-*}_${folder##*-}.orig.tar.gz
mv "$source" "$orig" && tar -C "$work" -xzf "$orig"
git archive --prefix="$folder/" HEAD debian | tar -C "$work" -x
(cd "$out" && dpkg-source --build "$work/$folder" >/dev/null)
dsc=$(echo "$out"/*.dsc)
ls "$dsc" "$out"/*.debian.tar.* "$orig"
built=$cache/debian-packages/$(sha256sum "$dsc" | cut -c1-64)
find "$cache/debian-packages" -mindepth 1 -maxdepth 1 -mtime +30 -exec rm -rf {} + 2>/dev/null || true # a month's builds kept

build() { # SUITE ARCH: into $built/SUITE-ARCH, unless there already
    local suite=$1 arch=$2 root=$cache/sbuild/$1-amd64.tar into=$built/$1-$2
    exec 9>"$root.lock" && flock 9 # one maker of a root; then one build of a package
    if [ ! -e "$root" ]; then
        # apt-utils: its solver, for cross builds (sbuild would copy in its own system's, built for another apt).
        echo "debian.sh: making a Debian $suite build root in $root (about 30 s)" >&2
        mmdebstrap --quiet --variant=buildd --include=apt-utils --format=tar "$suite" "$root.new" http://deb.debian.org/debian
        mv "$root.new" "$root"
    fi
    exec 9>"$into.lock" && flock 9
    [ ! -e "$into/.ready" ] || return 0
    rm -rf "$into" && mkdir -p "$into"
    # No debug symbols package: the release has no place for it, and the .buildinfo would list it.
    DEB_BUILD_OPTIONS=noautodbgsym toolchains/subids.sh sbuild --chroot-mode=unshare --chroot="$root" --dist="$suite" --host="$arch" --build-dir="$into" \
        --nolog --no-run-lintian --no-run-piuparts --no-run-autopkgtest --binNMU-timestamp="$SOURCE_DATE_EPOCH" \
        --append-to-version="~deb$(debian-distro-info --series="$suite" -r)u1" \
        --maintainer="$(sed -n 's/^Maintainer: //p' debian/control)" "$dsc" >"$into.log" 2>&1 \
        || { cat "$into.log" >&2; echo "FAIL: sbuild for $suite $arch" >&2; return 1; }
    rm -f "$into"/*.changes && touch "$into/.ready"
}
mkdir -p "$built" && jobs=()
for target in "$@"; do build "${target%-*}" "${target##*-}" & jobs+=($!); done
for job in "${jobs[@]}"; do wait "$job"; done
for target in "$@"; do
    for file in "$built/$target"/*.deb "$built/$target"/*.buildinfo; do cp "$file" "$out/" && echo "$out/${file##*/}"; done
done
