#!/usr/bin/env python3
# Copyright (C) 2026 The Proxy Password developers
# SPDX-License-Identifier: MIT
# The SBOM lists every release file (.deb and its .buildinfo, the Debian source
# package, zip, MSI) in the release folder, with its SHA-256.
# Usage (release.sh): sbom_contents.py SBOM RELEASE_DIR
import hashlib, json, os, sys
sbom, signed = sys.argv[1:]
listed = {c["name"]: c["hashes"][0]["content"] for c in json.load(open(sbom))["components"] if c["type"] == "file"}
assert listed == {name: hashlib.sha256(open(os.path.join(signed, name), "rb").read()).hexdigest() for name in os.listdir(signed)
                  if name.endswith((".deb", ".buildinfo", ".dsc", ".debian.tar.xz", ".orig.tar.gz", ".zip", ".msi"))}, listed
