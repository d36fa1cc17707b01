#!/usr/bin/env bash
# Copyright (C) 2026 The Proxy Password developers
# SPDX-License-Identifier: MIT
# Runs a command inside a Debian 13 "trixie" root (Qt 6.8), with this source
# tree at /src and the build cache at /cache. The root is made once with
# debootstrap and kept in the cache, so later runs start at once. With
# DEBIAN_SUITE=bookworm, a Debian 12 root; with DEBIAN_ROOT=NAME, a root of
# that name in the cache (the clean roots that the release check copies), or a root
# already made at an absolute path (a copy, for a test).
# Usage (as root): toolchains/debian-root.sh COMMAND [ARGS...]
set -euo pipefail
# In a private mount namespace (this script again): the mounts vanish with this
# process, even when it is killed, and runs side by side do not unmount each other's.
[ -n "${DEBIAN_ROOT_NAMESPACE:-}" ] || DEBIAN_ROOT_NAMESPACE=1 exec unshare --mount --propagation private "$0" "$@"
src=$(cd "$(dirname "$0")/.." && pwd)
. "$src/toolchains/settings.sh"
suite=${DEBIAN_SUITE:-${suites[-1]}}
root=${DEBIAN_ROOT:-$suite}
[[ $root = /* ]] || root=$cache/$root

# One maker at a time: runs side by side (the release check's) share the roots.
mkdir -p "$cache" "$(dirname "$root")" && exec 9>"$root.lock" && flock 9
if [ ! -e "$root/.ready" ]; then
    command -v debootstrap >/dev/null || "$src/toolchains/install-missing.sh" debootstrap
    rm -rf "$root.new"
    echo "debian-root.sh: making a Debian $suite root in $root (about 30 s)"
    debootstrap --variant=minbase "$suite" "$root.new" http://deb.debian.org/debian >"$root.debootstrap.log"
    # Sources too: the Windows toolkit is built from Debian's qt6-base source.
    printf 'deb http://deb.debian.org/debian %s main\ndeb-src http://deb.debian.org/debian %s main\n' "$suite" "$suite" \
        >"$root.new/etc/apt/sources.list"
    mkdir -p "$root.new/src" "$root.new/cache"
    touch "$root.new/.ready"
    mv -T "$root.new" "$root" # fails, rather than nests, over a half-made root
fi
exec 9>&-
cp /etc/resolv.conf "$root/etc/resolv.conf"

mount -t proc proc "$root/proc"
mount --rbind /sys "$root/sys"
mount --rbind /dev "$root/dev"
mount -t tmpfs -o mode=1777 shm "$root/dev/shm"
mount --bind "$src" "$root/src"
mount --bind "$cache" "$root/cache"
exec chroot "$root" /usr/bin/env -i --chdir=/src HOME=/root TERM="${TERM:-dumb}" CI="${CI:-}" \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 "$@"
