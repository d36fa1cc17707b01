#!/usr/bin/python3
# Copyright (C) 2026 The Proxy Password developers
# SPDX-License-Identifier: MIT
# The part of an X11 clipboard manager (GNOME's, Xfce's) that keeps the
# clipboard when its owner ends: it owns CLIPBOARD_MANAGER, answers SAVE_TARGETS
# by fetching every type the owner offers, then owns the clipboard and serves
# them. Prints "ready" once it owns CLIPBOARD_MANAGER.
# Usage (with DISPLAY set): clipboard_manager.py
from Xlib import X, Xatom, display
from Xlib.protocol import event

d = display.Display()
window = d.screen().root.create_window(0, 0, 1, 1, 0, X.CopyFromParent)
atom = lambda name: d.intern_atom(name)
CLIPBOARD, TARGETS, SAVE_TARGETS, MANAGER = map(atom, ["CLIPBOARD", "TARGETS", "SAVE_TARGETS", "CLIPBOARD_MANAGER"])
window.set_selection_owner(MANAGER, X.CurrentTime)
d.flush()
print("ready", flush=True)
saved = {}  # target atom: (type, format, data)


def fetch(target):
    window.convert_selection(CLIPBOARD, target, target, X.CurrentTime)
    while True:
        e = d.next_event()
        if e.type == X.SelectionNotify and e.target == target:
            reply = e.property and window.get_full_property(target, X.AnyPropertyType)
            return reply and (reply.property_type, reply.format, reply.value)


def answer(request, value):
    prop = request.property or request.target
    if value is not None:
        request.requestor.change_property(prop, value[0], value[1], value[2])
    request.requestor.send_event(event.SelectionNotify(
        time=request.time, requestor=request.requestor, selection=request.selection,
        target=request.target, property=prop if value is not None else X.NONE))
    d.flush()


while True:
    e = d.next_event()
    if e.type != X.SelectionRequest:
        continue
    if e.selection == MANAGER and e.target == SAVE_TARGETS:
        offered = fetch(TARGETS)
        saved = {t: v for t in (offered[2] if offered else []) if t not in (TARGETS, atom("MULTIPLE")) and (v := fetch(t))}
        saved[TARGETS] = (Xatom.ATOM, 32, [TARGETS] + list(saved))
        window.set_selection_owner(CLIPBOARD, X.CurrentTime)
        answer(e, (Xatom.ATOM, 32, []))  # an empty reply: saved
    else:
        answer(e, saved.get(e.target) if e.selection == CLIPBOARD else None)
