#!/usr/bin/env bash
# Copyright (C) 2026 The Proxy Password developers
# SPDX-License-Identifier: MIT
# Readies a clean Debian root for tests/apt_client.sh (tests/release.sh keeps it, and
# copies it for each run): its package lists, downloads kept in the cache's
# apt-SUITE folder, and dpkg that does not sync (a test root: speed over safety).
# Usage (tests/release.sh, in the root): toolchains/clean-root.sh SUITE
set -euo pipefail
toolchains/apt.sh update
echo "Dir::Cache::Archives \"/cache/apt-$1/\";" >/etc/apt/apt.conf.d/cache
echo force-unsafe-io >/etc/dpkg/dpkg.cfg.d/unsafe-io
