#!/usr/bin/env bash
# Copyright (C) 2026 The Proxy Password developers
# SPDX-License-Identifier: MIT
# Runs a command with a subordinate id range for root, which sbuild's and
# autopkgtest's unshare mode map root to and root itself has no need of
# elsewhere: lent in a mount namespace of the command's own (this script again),
# the system's /etc/subuid and /etc/subgid untouched.
# Usage (as root): toolchains/subids.sh COMMAND [ARGS...]
set -euo pipefail
[ -n "${SUBIDS_NAMESPACE:-}" ] || SUBIDS_NAMESPACE=1 exec unshare --mount "$0" "$@"
. "$(dirname "$0")/settings.sh"
ids=/run/subids-$$
printf 'root:%s:65536\n' "$subids_root" >"$ids"
mount --bind "$ids" /etc/subuid && mount --bind "$ids" /etc/subgid && rm "$ids"
exec "$@"
