# Copyright (C) 2026 The Proxy Password developers
# SPDX-License-Identifier: MIT
# What the build, test and release scripts share, written once; sourced.
# The cache: roots, the Windows toolkit and downloads, kept between runs.
cache=${PROXY_PASSWORD_CACHE:-/var/cache/proxy-password}
# The Debian releases packaged, oldest first (the newest is also the Qt 6.8
# root's), and the architectures each is packaged for.
suites=(bookworm trixie)
architectures=(amd64 arm64)
# The Debian builds of a release (packaging/debian.sh's SUITE-ARCH), each release's together.
targets=() && for suite in "${suites[@]}"; do targets+=("${architectures[@]/#/$suite-}"); done && unset suite
# The first of the subordinate ids lent to root (subids.sh), which sbuild's and
# autopkgtest's roots map their root to.
subids_root=100000
# The project's own facts, read from where CMake reads them.
cmakelists=$(dirname "${BASH_SOURCE[0]}")/../CMakeLists.txt
project_version=$(sed -n 's/^project(proxy-password VERSION \([^ ]*\).*/\1/p' "$cmakelists")
project_description=$(sed -n 's/^ *DESCRIPTION "\(.*\)"$/\1/p' "$cmakelists")
project_homepage=$(sed -n 's/^ *HOMEPAGE_URL \([^ )]*\).*/\1/p' "$cmakelists")
project_vendor=$(sed -n 's/^set(vendor "\(.*\)")$/\1/p' "$cmakelists")
