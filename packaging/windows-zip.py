#!/usr/bin/env python3
# Copyright (C) 2026 The Proxy Password developers
# SPDX-License-Identifier: MIT
# Packs a staged folder (windows-stage.sh's) into the portable zip, the folder
# itself at the top: entries in name order, with the files' modes and dates
# (none later than SOURCE_DATE_EPOCH, when set) and nothing of the machine that
# packed it (no owner, no time zone), so the same folder gives the same bytes.
# Usage: packaging/windows-zip.py FOLDER OUTPUT.zip
import os, struct, sys, time, zipfile

folder, out = os.path.normpath(sys.argv[1]), sys.argv[2]
latest = float(os.environ.get("SOURCE_DATE_EPOCH", "inf"))  # no date after it: signing touches the folders
with zipfile.ZipFile(out, "w", zipfile.ZIP_DEFLATED) as archive:
    def add(path):
        status = os.stat(path)
        date = int(min(status.st_mtime, latest))
        name = os.path.relpath(path, os.path.dirname(folder)) + ("/" if os.path.isdir(path) else "")
        entry = zipfile.ZipInfo(name, time.gmtime(date)[:6])
        entry.extra = struct.pack("<HHBl", 0x5455, 5, 1, date)  # the date to the second, not MS-DOS's two
        entry.external_attr = status.st_mode << 16 | (0x10 if name.endswith("/") else 0)  # and MS-DOS's directory bit
        entry.compress_type = zipfile.ZIP_STORED if name.endswith("/") else zipfile.ZIP_DEFLATED
        archive.writestr(entry, b"" if name.endswith("/") else open(path, "rb").read())
        for child in sorted(os.listdir(path)) if os.path.isdir(path) else []:
            add(os.path.join(path, child))
    for child in sorted(os.listdir(folder)):
        add(os.path.join(folder, child))
