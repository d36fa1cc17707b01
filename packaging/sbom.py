#!/usr/bin/env python3
# Copyright (C) 2026 The Proxy Password developers
# SPDX-License-Identifier: MIT
# Writes the release's SBOM (CycloneDX 1.6, JSON): each release file with its
# SHA-256 and every file it installs with theirs, exactly as shipped (the
# Debian source package and the .buildinfo of each .deb with their SHA-256); the
# .debs' declared dependencies; for Windows, Qt with the Debian source version
# and patches it was built from and the third-party libraries built into its
# DLLs (from Qt's own SPDX document of the build), and the compiler's runtime
# with its Debian package versions. The same inputs give the same bytes: the
# date is the commit's and the serial number is derived from the content.
# Run inside the Debian 13 root, which has the Windows build's packages.
# Usage: sbom.py OUT VERSION ZIP MSI QT_PREFIX RUNTIME_LIST DEBIAN_FILE... (RUNTIME_LIST: the
# compiler's runtime DLLs shipped and their Debian packages, from the build folder; DEBIAN_FILE:
# .deb, .buildinfo, .dsc and its tarballs)
import datetime, hashlib, json, os, re, subprocess, sys, tempfile, uuid, zipfile

out, version, zip_path, msi, qt, runtime_list, *debian = sys.argv[1:]
debs = [path for path in debian if path.endswith(".deb")]
sha256 = lambda data: [{"alg": "SHA-256", "content": hashlib.sha256(data).hexdigest()}]
read = lambda path: open(path, "rb").read()
installed = lambda package: subprocess.run(["dpkg-query", "-W", "-f=${Version} ${Architecture}", package],
                                           check=True, capture_output=True, text=True).stdout.split()
purl_version = lambda v: v.replace("+", "%2B").replace(":", "%3A")


def files(ref, paths):  # path in the package: bytes
    return [{"type": "file", "bom-ref": f"{ref}:{path}", "name": path, "hashes": sha256(data)}
            for path, data in sorted(paths.items())]


def release_file(path, contents, **extra):
    name = os.path.basename(path)
    return {"type": "file", "bom-ref": name, "name": name, "version": version, "hashes": sha256(read(path)),
            **extra, "components": files(name, contents)}


def tree(root):
    return {os.path.relpath(os.path.join(d, f), root): read(os.path.join(d, f))
            for d, _, names in os.walk(root) for f in names}


field = lambda deb, name: subprocess.run(["dpkg-deb", "-f", deb, name], check=True, capture_output=True,
                                         text=True).stdout.strip()
with tempfile.TemporaryDirectory() as tmp:
    deb_files = {}  # the programs, desktop files, manual pages and documents
    for deb in debs:
        subprocess.run(["dpkg-deb", "-x", deb, f"{tmp}/{os.path.basename(deb)}"], check=True)
        deb_files[deb] = tree(f"{tmp}/{os.path.basename(deb)}")
    subprocess.run(["msiextract", "-C", f"{tmp}/msi", msi], check=True, capture_output=True)
    # Inside the install folder, as in the zip's top folder: every program, DLL, plugin and licence.
    msi_files = {re.sub(r"^[^/]*/", "", p): d for p, d in tree(f"{tmp}/msi").items()}
table = subprocess.run(["msiinfo", "export", msi, "Property"], check=True, capture_output=True, text=True).stdout
msi_properties = dict(line.rstrip("\r").split("\t", 1) for line in table.splitlines()[3:])  # the vendor and address
with zipfile.ZipFile(zip_path) as z:
    zip_files = {re.sub(r"^[^/]*/", "", i.filename): z.read(i) for i in z.infolist() if not i.is_dir()}

dependencies = {}  # of each .deb, named by its Debian release and architecture
for deb in debs:
    arch, release = field(deb, "Architecture"), re.search(r"~deb(\d+)", field(deb, "Version"))[1]
    dependencies[deb] = []
    for entry in filter(None, (e.strip() for e in field(deb, "Depends").split(","))):
        name, constraint = re.match(r"(\S+)\s*(?:\((.*)\))?", entry).groups()
        dependencies[deb].append({
            "type": "library", "bom-ref": f"deb-depends:debian-{release}:{arch}:{name}", "name": name,
            "scope": "required", "purl": f"pkg:deb/debian/{name}?arch={arch}&distro=debian-{release}",
            "properties": [{"name": "debian:depends", "value": entry}] if constraint else []})

# Qt's SPDX document (tag:value): the third-party code built into the DLLs shipped, that is
# into Core, Gui and Widgets, and the bundled libraries they link (not the CMake files,
# QtTest's, or the wrappers that repeat a bundled library).
spdx = open(f"{qt}/sbom/" + next(f for f in os.listdir(f"{qt}/sbom") if f.startswith("qtbase")
                                  and f.endswith(".spdx"))).read()
shipped = re.compile(r"^SPDXID: SPDXRef-Package-qtbase-qt-(bundled-3rdparty-module-Bundled\w+"
                     r"|3rdparty-sources-(Core|Gui|Widgets|Bundled\w+)-Attribution-\S+)$", re.M)
bundled = []
for block in spdx.split("\nPackageName: ")[1:]:
    if not shipped.search(block):
        continue
    field = lambda tag: re.search(rf"^{tag}: (<text>.*?</text>|[^\n]*)$", block, re.M | re.S)[1].removeprefix(
        "<text>").removesuffix("</text>")
    entry = {"type": "library", "bom-ref": "qt-bundled:" + block.split("\n", 1)[0],
             "name": block.split("\n", 1)[0], "licenses": [{"expression": field("PackageLicenseConcluded")}]}
    if field("PackageVersion") != "unknown":
        entry["version"] = field("PackageVersion")
    if field("PackageCopyrightText") != "NOASSERTION":
        entry["copyright"] = field("PackageCopyrightText")
    bundled.append(entry)
qt_source = re.search(r"qt6-base version (\S+)", open(f"{qt}/share/licenses/SOURCE").read())[1]  # as built
qt_version = qt_source.split("+")[0]
patches = open(f"{qt}/sbom/debian-patches").read().split()
licences = {"gcc-mingw-w64-x86-64-posix-runtime": "GPL-3.0-or-later WITH GCC-exception-3.1",
            "mingw-w64-x86-64-dev": "MIT AND BSD-3-Clause"}
runtime = {}  # the DLLs of the compiler's runtime shipped, by Debian package, in the order shipped
for path, package in (line.split() for line in open(runtime_list)):
    runtime.setdefault(package, []).append(os.path.basename(path))

windows = [
    {"type": "framework", "bom-ref": "qtbase", "group": "qt", "name": "qtbase", "version": qt_version,
     "description": "Qt Core, Gui, Widgets, the windows platform and modernwindowsstyle plugins: "
                    "Qt6Core.dll, Qt6Gui.dll, Qt6Widgets.dll, platforms/qwindows.dll, styles/qmodernwindowsstyle.dll",
     "licenses": [{"expression": "LGPL-3.0-only"}],
     "purl": f"pkg:deb/debian/qt6-base@{purl_version(qt_source)}?arch=source&distro=debian-13",
     "pedigree": {"ancestors": [{"type": "framework", "group": "qt", "name": "qtbase", "version": qt_version,
                                 "purl": f"pkg:generic/qt/qtbase@{qt_version}"}],
                  "patches": [{"type": "unofficial", "diff": {"url": "https://sources.debian.org/src/qt6-base/"
                                                                     f"{qt_source}/debian/patches/{p}/"}}
                              for p in patches]},
     "components": bundled},
] + [{"type": "library", "bom-ref": package, "name": package, "version": v,
      "description": "the compiler's runtime: " + ", ".join(dlls),
      "licenses": [{"expression": licences[package]}],
      "purl": f"pkg:deb/debian/{package}@{purl_version(v)}?arch={arch}&distro=debian-13"}
     for package, dlls in runtime.items() for v, arch in [installed(package)]]

bom = {
    "bomFormat": "CycloneDX", "specVersion": "1.6", "version": 1,
    "metadata": {
        "timestamp": datetime.datetime.fromtimestamp(int(os.environ["SOURCE_DATE_EPOCH"]),
                                                     datetime.timezone.utc).strftime("%Y-%m-%dT%H:%M:%SZ"),
        "component": {"type": "application", "bom-ref": "proxy-password", "name": "proxy-password",
                      "version": version, "licenses": [{"license": {"id": "MIT"}}],
                      "supplier": {"name": msi_properties["Manufacturer"]},
                      "externalReferences": [{"type": "vcs",
                                              "url": msi_properties["ARPURLINFOABOUT"]}]},
    },
    "components": [
        release_file(deb, deb_files[deb], description="Debian package: every file it installs; its dependencies "
                     "are listed as components deb-depends:debian-RELEASE:ARCHITECTURE:NAME")
        for deb in debs
    ] + [
        release_file(path, {}, description="Debian source package" if ".buildinfo" not in path else
                     "sbuild's record of the .deb's build: the Debian packages it was built with, and its date")
        for path in debian if path not in debs
    ] + [
        release_file(zip_path, zip_files, description="Windows, portable folder"),
        release_file(msi, msi_files, description="Windows Installer package: the zip's files"),
    ] + sum(dependencies.values(), []) + windows,
    "dependencies": [{"ref": os.path.basename(deb), "dependsOn": [d["bom-ref"] for d in dependencies[deb]]}
                     for deb in debs]
    + [{"ref": os.path.basename(p), "dependsOn": [c["bom-ref"] for c in windows]} for p in (zip_path, msi)],
}
text = json.dumps(bom, indent=1, sort_keys=True)
bom["serialNumber"] = "urn:uuid:" + str(uuid.uuid5(uuid.NAMESPACE_URL, hashlib.sha256(text.encode()).hexdigest()))
with open(out, "w") as f:
    f.write(json.dumps(bom, indent=1, sort_keys=True) + "\n")
