#!/usr/bin/env python3
# Copyright (C) 2026 The Proxy Password developers
# SPDX-License-Identifier: MIT
# Types on headless mutter, which has no virtual keyboard for wtype, through its
# remote desktop D-Bus API: one session (it ends with this D-Bus connection),
# started, then an empty line on standard output; then, for each line read, each
# keysym name or number on it pressed and released. A Shift goes first: the
# seat has no keyboard until a first key, which it loses (without it, the
# test's first clipboard step waited in vain).
# Usage (real_window.sh, in mutter's D-Bus session): remote_desktop_keys.py
import itertools, sys; from gi.repository import Gio; from Xlib import XK  # noqa: E702

bus = Gio.bus_get_sync(Gio.BusType.SESSION)
proxy = lambda path, name: Gio.DBusProxy.new_sync(bus, 0, None, "org.gnome.Mutter.RemoteDesktop", path, "org.gnome.Mutter.RemoteDesktop" + name, None)
session = proxy(proxy("/org/gnome/Mutter/RemoteDesktop", "").CreateSession(), ".Session")
session.Start()
print(flush=True)
for key in itertools.chain(["Shift_L"], (key for line in sys.stdin for key in line.split())):
    for pressed in True, False:
        session.NotifyKeyboardKeysym("(ub)", int(key) if key.isdigit() else XK.string_to_keysym(key), pressed)
