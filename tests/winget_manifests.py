#!/usr/bin/env python3
# Copyright (C) 2026 The Proxy Password developers
# SPDX-License-Identifier: MIT
# The MSI's winget manifests, in the community repository's layout, give the
# MSI's own version, product and upgrade codes, its SHA-256 (the one SHA256SUMS
# lists) and an address that ends in its name.
# Usage (release.sh): winget_manifests.py RELEASE_DIR
import glob, hashlib, re, subprocess, sys
signed = sys.argv[1]
msi = glob.glob(f"{signed}/*.msi")[0]
table = subprocess.run(["msiinfo", "export", msi, "Property"], check=True, capture_output=True, text=True).stdout
msi_property = dict(line.rstrip("\r").split("\t", 1) for line in table.splitlines()[3:])
sha = hashlib.sha256(open(msi, "rb").read()).hexdigest()
assert f"{sha}  {msi.split('/')[-1]}" in open(f"{signed}/SHA256SUMS").read().splitlines()
folder = f"{signed}/winget/manifests/p/ProxyPassword/ProxyPassword/{msi_property['ProductVersion']}"
field = lambda text, name: re.search(rf"^[- ]*{name}: '?(.*?)'?$", text, re.M)[1]
installer = open(f"{folder}/ProxyPassword.ProxyPassword.installer.yaml").read()
assert field(installer, "PackageVersion") == msi_property["ProductVersion"]
assert re.findall(r"ProductCode: '(.*)'", installer) == [msi_property["ProductCode"]] * 2
assert field(installer, "UpgradeCode") == msi_property["UpgradeCode"]
assert field(installer, "InstallerSha256") == sha.upper() and field(installer, "InstallerUrl").endswith("/" + msi.split("/")[-1])
