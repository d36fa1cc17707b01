#!/usr/bin/env python3
# Copyright (C) 2026 The Proxy Password developers
# SPDX-License-Identifier: MIT
# Prints the WiX fragment of a program folder for msi.sh: every file in a
# component of its own, under INSTALLDIR, and every folder in one too, so that
# each folder is the installer's own and goes with it, even one that holds only
# folders (wine needs it not; with wixl-heat's fragment it left two folders).
# Identifiers and GUIDs come from the paths, so the same folder always gives
# the same fragment, which wixl-heat's random GUIDs do not.
# Usage: msi-files.py FOLDER SOURCE_VARIABLE UPGRADE_CODE
import hashlib, os, sys, uuid

root, source, namespace = sys.argv[1], sys.argv[2], uuid.UUID(sys.argv[3])
ident = lambda kind, path: kind + hashlib.sha1(path.encode()).hexdigest()[:32]
guid = lambda path: str(uuid.uuid5(namespace, path)).upper()
components = []


def folder(relative, indent):
    lines = []
    component = ident("fld", relative)
    components.append(component)
    lines.append(f'{indent}<Component Id="{component}" Guid="{guid("/" + relative)}" Win64="yes">'
                 f'<CreateFolder/></Component>')
    for name in sorted(os.listdir(os.path.join(root, relative))):
        path = os.path.join(relative, name) if relative else name
        if os.path.isdir(os.path.join(root, path)):
            lines.append(f'{indent}<Directory Id="{ident("dir", path)}" Name="{name}">')
            lines += folder(path, indent + "  ")
            lines.append(f"{indent}</Directory>")
        else:
            components.append(ident("cmp", path))
            lines.append(f'{indent}<Component Id="{ident("cmp", path)}" Guid="{guid(path)}" Win64="yes">'
                         f'<File Id="{ident("fil", path)}" KeyPath="yes" Source="$(var.{source})/{path}"/></Component>')
    return lines


body = folder("", "      ")
print('<?xml version="1.0" encoding="utf-8"?>\n<Wix xmlns="http://schemas.microsoft.com/wix/2006/wi">\n  <Fragment>')
print('    <DirectoryRef Id="INSTALLDIR">\n' + "\n".join(body) + "\n    </DirectoryRef>")
print('    <ComponentGroup Id="Files">\n' + "\n".join(f'      <ComponentRef Id="{c}"/>' for c in components))
print("    </ComponentGroup>\n  </Fragment>\n</Wix>")
