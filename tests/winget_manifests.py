#!/usr/bin/env python3
# Copyright (C) 2026 The Proxy Password developers
# SPDX-License-Identifier: MIT
# The winget manifests, in the community repository's layout, point at the
# release's MSI by name and give the SHA-256 that SHA256SUMS lists for it: the
# MSI as published, signed, not as it was before. (Its codes and version are
# read from the MSI itself where the manifests are written.)
# Usage (release.sh): winget_manifests.py RELEASE_DIR
import glob, re, sys
signed = sys.argv[1]
[path] = glob.glob(f"{signed}/winget/manifests/p/ProxyPassword/ProxyPassword/*/ProxyPassword.ProxyPassword.installer.yaml")
field = lambda name: re.search(rf"^[- ]*{name}: '?(.*?)'?$", open(path).read(), re.M)[1]
sums = {name: sha for sha, name in (line.split("  ") for line in open(f"{signed}/SHA256SUMS").read().splitlines())}
msi = field("InstallerUrl").rsplit("/", 1)[1]
assert msi.endswith(".msi") and field("InstallerSha256") == sums[msi].upper(), (msi, field("InstallerSha256"))
