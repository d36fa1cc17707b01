#!/usr/bin/env python3
# Copyright (C) 2026 The Proxy Password developers
# SPDX-License-Identifier: MIT
# Writes the three winget manifests of a release's MSI (version, installer and
# default locale; ManifestVersion 1.12.0, which the community repository takes)
# in that repository's layout, manifests/p/ProxyPassword/ProxyPassword/VERSION/.
# The product and upgrade codes, the version, the publisher, its address and
# the description are read from the MSI itself
# (msitools), and the SHA-256 is the MSI's: values made by hand are where most
# submissions go wrong. The same MSI gives the same bytes.
# Usage: winget.py OUT_DIR MSI (OUT_DIR is made anew)
import hashlib, os, shutil, subprocess, sys

out, msi = sys.argv[1:]
identifier, schema = "ProxyPassword.ProxyPassword", "https://aka.ms/winget-manifest.{}.1.12.0.schema.json"
table = subprocess.run(["msiinfo", "export", msi, "Property"], check=True, capture_output=True, text=True).stdout
properties = dict(line.rstrip("\r").split("\t", 1) for line in table.splitlines()[3:])
summary = subprocess.run(["msiinfo", "suminfo", msi], check=True, capture_output=True, text=True).stdout
description = dict(line.split(": ", 1) for line in summary.splitlines() if ": " in line)["Comments"]
version = properties["ProductVersion"]
site = properties["ARPURLINFOABOUT"]  # the project's address, as Apps shows it
common = [("PackageIdentifier", identifier), ("PackageVersion", version)]
manifests = {
    "version": common + [("DefaultLocale", "en-US")],
    "installer": common + [
        ("MinimumOSVersion", "10.0.17763.0"),  # Windows 10 1809
        ("InstallerType", "msi"), ("Scope", "machine"),
        # winget's own switch sets TARGETDIR, which this MSI does not use.
        ("InstallerSwitches", [("InstallLocation", 'INSTALLDIR="<INSTALLPATH>"')]),
        ("ProductCode", properties["ProductCode"]),
        ("AppsAndFeaturesEntries", [[("ProductCode", properties["ProductCode"]),
                                     ("UpgradeCode", properties["UpgradeCode"].upper())]]),
        ("Commands", ["proxy-password-encode"]),
        ("Installers", [[("Architecture", "x64"),
                         ("InstallerUrl", f"{site}/releases/download/v{version}/{os.path.basename(msi)}"),
                         ("InstallerSha256", hashlib.sha256(open(msi, "rb").read()).hexdigest().upper())]])],
    "defaultLocale": common + [
        ("PackageLocale", "en-US"), ("Publisher", properties["Manufacturer"]), ("PublisherUrl", site),
        ("PackageName", properties["ProductName"]), ("PackageUrl", site), ("License", "MIT"),
        ("LicenseUrl", f"{site}/blob/v{version}/LICENSE"),
        ("ShortDescription", description),
        ("ReleaseNotesUrl", f"{site}/releases/tag/v{version}")],
}


def scalar(value):  # quoted where YAML would read it otherwise ({...} is a mapping, 1.3.0 may be a number)
    return "'" + value.replace("'", "''") + "'" if any(c in value for c in "{}:#'\"<>") or value[0].isdigit() else value


def lines(fields, indent=""):
    for name, value in fields:
        if isinstance(value, str):
            yield f"{indent}{name}: {scalar(value)}"
            continue
        yield f"{indent}{name}:"
        for item in value:
            if isinstance(item, str):
                yield f"{indent}- {scalar(item)}"
            elif isinstance(item, tuple):
                yield from lines([item], indent + "  ")
            else:
                first, *rest = lines(item, indent + "  ")
                yield f"{indent}- {first.lstrip()}"
                yield from rest


folder = os.path.join(out, "manifests", identifier[0].lower(), *identifier.split("."), version)
shutil.rmtree(out, ignore_errors=True)  # no manifests of an earlier version
os.makedirs(folder)
for kind, fields in manifests.items():
    suffix = {"version": "", "installer": ".installer", "defaultLocale": ".locale.en-US"}[kind]
    with open(os.path.join(folder, f"{identifier}{suffix}.yaml"), "w", newline="\n") as f:
        f.write(f"# yaml-language-server: $schema={schema.format(kind)}\n\n")
        f.write("\n".join(lines(fields + [("ManifestType", kind), ("ManifestVersion", "1.12.0")])) + "\n")
