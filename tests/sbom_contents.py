#!/usr/bin/env python3
# Copyright (C) 2026 The Proxy Password developers
# SPDX-License-Identifier: MIT
# The SBOM lists every release file (.deb and its .buildinfo, the Debian source
# package, zip, MSI) in the release folder with its SHA-256, and inside each
# package every file it holds with theirs: the .debs as unpacked into
# DEBS/NAME, the Windows packages as the zip's folder.
# Usage (release.sh): sbom_contents.py SBOM RELEASE_DIR UNZIPPED_FOLDER DEBS
import hashlib, json, os, sys
sbom, signed, unzipped, debs = sys.argv[1:]
sha = lambda path: hashlib.sha256(open(path, "rb").read()).hexdigest()
tree = lambda root: {os.path.relpath(os.path.join(d, f), root): sha(os.path.join(d, f)) for d, _, fs in os.walk(root) for f in fs}
hashes = lambda components: {c["name"]: c["hashes"][0]["content"] for c in components}
packages = [c for c in json.load(open(sbom))["components"] if c["type"] == "file"]
assert hashes(packages) == {name: h for name, h in tree(signed).items() if name.endswith((".deb", ".buildinfo", ".dsc", ".debian.tar.xz", ".orig.tar.gz", ".zip", ".msi"))
                            and "/" not in name}
for package in packages:
    name = package["name"]
    inside = os.path.join(debs, name) if name.endswith(".deb") else unzipped if name.endswith((".zip", ".msi")) else None
    assert hashes(package["components"]) == (tree(inside) if inside else {}), name
