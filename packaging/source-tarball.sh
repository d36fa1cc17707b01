#!/usr/bin/env bash
# Copyright (C) 2026 The Proxy Password developers
# SPDX-License-Identifier: MIT
# The source of the last commit as a reproducible tarball (git archive), in a
# folder named proxy-password-VERSION, without debian/: the upstream tarball
# that the release publishes and the Debian source package is built from.
# Usage: packaging/source-tarball.sh FILE.tar.gz
set -euo pipefail
file=$(realpath -m "$1")
cd "$(dirname "$0")/.."
version=$(sed -n 's/^project(proxy-password VERSION \([^ ]*\).*/\1/p' CMakeLists.txt)
git archive --format=tar.gz --prefix="proxy-password-$version/" HEAD ':(exclude)debian' >"$file"
