#!/usr/bin/env bash
# Copyright (C) 2026 The Proxy Password developers
# SPDX-License-Identifier: MIT
# The Debian source package as Debian's own tools take it (lintian: the release
# check, on the release's): sbuild builds it for Debian 12 and 13 (amd64) in
# clean roots; its autopkgtests pass against the built packages, each in a
# clean root of its release; and reprotest, varying
# the build path, time, umask, time zone, home, kernel, CPU count, host name,
# environment and file order (where FUSE allows), builds the same Debian 12 package.
# Usage (as root; ./dev.sh test): debian_package.sh SOURCE_DIR (its last commit; the results in SOURCE_DIR/debian-check)
set -euo pipefail
clone=$1 out=$1/debian-check
. "$clone/toolchains/settings.sh"
jobs=() && for suite in "${suites[@]}"; do "$clone/packaging/debian.sh" "$out/$suite" "$suite-amd64" >/dev/null & jobs+=($!); done
for job in "${jobs[@]}"; do wait "$job"; done
reprotest --vary=-user_group --store-dir="$out/reprotest" "$out/${suites[0]}"/*.dsc -- null >"$out/reprotest.log" 2>&1 \
    || { tail -n 200 "$out/reprotest.log"; echo "FAIL: reprotest" >&2; exit 1; }
for suite in "${suites[@]}"; do ( # the test's packages downloaded once, into the cache, for the roots' root
    mkdir -p "$cache/autopkgtest-$suite" && chown "$subids_root:$subids_root" "$cache/autopkgtest-$suite"
    "$clone/toolchains/subids.sh" autopkgtest --setup-commands="apt-get update" "$out/$suite"/*.deb "$out/$suite"/*.dsc \
        -- unshare --release $suite \
        --tarball "$cache/sbuild/$suite-amd64.tar" --bind "$cache/autopkgtest-$suite" /var/cache/apt/archives >"$out/$suite.log" 2>&1 \
        || { cat "$out/$suite.log"; echo "FAIL: the autopkgtests on $suite" >&2; exit 1; } ) & done
wait -n; wait -n
