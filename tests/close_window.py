#!/usr/bin/env python3
# Copyright (C) 2026 The Proxy Password developers
# SPDX-License-Identifier: MIT
# Asks an X11 window to close, as a window manager's close button does (WM_DELETE_WINDOW).
# Usage (real_window.sh): close_window.py WINDOW_ID
import sys; from Xlib import X, display; from Xlib.protocol import event  # noqa: E702

d = display.Display(); window = d.create_resource_object("window", int(sys.argv[1])); atom = d.intern_atom  # noqa: E702
window.send_event(event.ClientMessage(window=window, client_type=atom("WM_PROTOCOLS"), data=(32, [atom("WM_DELETE_WINDOW"), X.CurrentTime, 0, 0, 0])))
d.flush()
