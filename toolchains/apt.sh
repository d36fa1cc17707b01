#!/usr/bin/env bash
# Copyright (C) 2026 The Proxy Password developers
# SPDX-License-Identifier: MIT
# apt-get without questions, which waits while another apt or dpkg holds its
# locks (apt-daily, unattended-upgrades or PackageKit, often at a desktop's
# start), with a line saying what it waits for, where apt-get alone fails at
# once. Prints apt-get's output only if it fails.
# Usage (as root): toolchains/apt.sh APT-GET-ARGUMENT...
set -euo pipefail
log=$(mktemp)
trap 'rm -f "$log"' EXIT
run() { # apt waits for dpkg's locks itself, saying so; not for the package lists' (update)
    DEBIAN_FRONTEND=noninteractive apt-get -q -o DPkg::Lock::Timeout=3600 "$@" 2>&1 |
        awk -v file="$log" '{ print >file } /^Waiting for cache lock/ && !said++ { print "apt.sh: " $0 >"/dev/stderr" }'
    return "${PIPESTATUS[0]}"
}
said=
until run "$@"; do
    lock=$(grep -m1 -o 'Could not get lock .*' "$log") || { cat "$log" >&2; exit 100; }
    [ -n "$said" ] || echo "apt.sh: waiting for another apt: $lock" >&2
    said=1 && sleep 5
done
