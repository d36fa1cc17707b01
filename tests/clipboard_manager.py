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
CLIPBOARD, TARGETS, MULTIPLE, SAVE_TARGETS, MANAGER = map(
    d.intern_atom, ["CLIPBOARD", "TARGETS", "MULTIPLE", "SAVE_TARGETS", "CLIPBOARD_MANAGER"])
window.set_selection_owner(MANAGER, X.CurrentTime)
d.flush()
print("ready", flush=True)
saved = {}  # target atom: (type, format, data)


def fetch(target):
    window.convert_selection(CLIPBOARD, target, target, X.CurrentTime)
    while (e := d.next_event()).type != X.SelectionNotify or e.target != target:
        pass
    reply = e.property and window.get_full_property(target, X.AnyPropertyType)
    return reply and (reply.property_type, reply.format, reply.value)


def answer(request, value):
    prop = request.property or request.target
    if value:
        request.requestor.change_property(prop, *value)
    request.requestor.send_event(event.SelectionNotify(time=request.time, requestor=request.requestor, target=request.target,
                                                       selection=request.selection, property=prop if value else X.NONE))
    d.flush()


while True:
    e = d.next_event()
    if e.type == X.SelectionRequest and e.selection == MANAGER and e.target == SAVE_TARGETS:
        offered = fetch(TARGETS)
        saved = {t: v for t in (offered[2] if offered else []) if t not in (TARGETS, MULTIPLE) and (v := fetch(t))}
        saved[TARGETS] = (Xatom.ATOM, 32, [TARGETS] + list(saved))
        window.set_selection_owner(CLIPBOARD, X.CurrentTime)
        answer(e, (Xatom.ATOM, 32, []))  # an empty reply: saved
    elif e.type == X.SelectionRequest:
        answer(e, saved.get(e.target) if e.selection == CLIPBOARD else None)
