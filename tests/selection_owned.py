#!/usr/bin/env python3
# Copyright (C) 2026 The Proxy Password developers
# SPDX-License-Identifier: MIT
# Succeeds when a client owns the X11 selection named (with DISPLAY set).
# Usage (real_window.sh): selection_owned.py SELECTION
import sys
from Xlib import display

d = display.Display()
sys.exit(not d.get_selection_owner(d.intern_atom(sys.argv[1])))
