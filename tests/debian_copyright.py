#!/usr/bin/env python3
# Copyright (C) 2026 The Proxy Password developers
# SPDX-License-Identifier: MIT
# debian/copyright says of every file what REUSE says of it (reuse spdx): the
# same licence (Debian's Expat is SPDX's MIT) and the same copyright.
# Usage (CTest): debian_copyright.py SOURCE_DIR
import fnmatch, re, subprocess, sys
paragraphs = [dict(re.findall(r"^(Files|Copyright|License): (.*)$", text, re.M))
              for text in open(sys.argv[1] + "/debian/copyright").read().split("\n\n")]
spdx = subprocess.run(["reuse", "--root", sys.argv[1], "spdx"], check=True, capture_output=True, text=True).stdout
for path, block in re.findall(r"^FileName: \./(.*)\n((?:.+\n)*)", spdx, re.M):  # the last paragraph that names it
    debian = [p for p in paragraphs if any(fnmatch.fnmatchcase(path, g) for g in p.get("Files", "").split())][-1]
    assert set(re.findall(r"^LicenseInfoInFile: (\S+)$", block, re.M)) == {debian["License"].replace("Expat", "MIT")}, path
    assert debian["Copyright"] in block, path
