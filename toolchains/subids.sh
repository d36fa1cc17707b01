#!/usr/bin/env bash
# Copyright (C) 2026 The Proxy Password developers
# SPDX-License-Identifier: MIT
# Runs a command with a subordinate id range for root, which sbuild's and
# autopkgtest's unshare mode map root to and root itself has no need of
# elsewhere: lent in a mount namespace of the command's own, the system's
# /etc/subuid and /etc/subgid untouched.
# Usage (as root): toolchains/subids.sh COMMAND [ARGS...]
set -euo pipefail
. "$(dirname "$0")/settings.sh"
export SUBIDS_ROOT=$subids_root
exec unshare --mount sh -c 'printf "root:%s:65536\n" "$SUBIDS_ROOT" >/run/subids-$$ && mount --bind /run/subids-$$ /etc/subuid \
    && mount --bind /run/subids-$$ /etc/subgid && rm /run/subids-$$ && exec "$@"' sh "$@"
