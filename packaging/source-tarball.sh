#!/usr/bin/env bash
# Copyright (C) 2026 The Proxy Password developers
# SPDX-License-Identifier: MIT
# The source of the last commit as a reproducible tarball (git archive),
# DIR/proxy-password-VERSION.tar.gz holding a folder of that name, without
# debian/: the upstream tarball that the release publishes and the Debian
# source package is built from. Prints its path.
# Usage: packaging/source-tarball.sh DIR
set -euo pipefail
dir=$(realpath -m "$1")
cd "$(dirname "$0")/.."
. toolchains/settings.sh
git archive --format=tar.gz --prefix="proxy-password-$project_version/" HEAD ':(exclude)debian' >"$dir/proxy-password-$project_version.tar.gz"
echo "$dir/proxy-password-$project_version.tar.gz"
