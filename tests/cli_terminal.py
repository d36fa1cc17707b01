#!/usr/bin/env python3
# Copyright (C) 2026 The Proxy Password developers
# SPDX-License-Identifier: MIT
# proxy-password-encode on a terminal: the typed password is not shown, and
# echo is on again when it ends, also by Ctrl+C. (That echo goes off before the
# prompt, not just after, no test here can see without a race.)
import os, pty, sys, termios


def run(typed):
    pid, fd = pty.fork()
    if pid == 0:
        os.execv(sys.argv[1], sys.argv[1:2])
    seen = b""
    while b"Password: " not in seen:
        seen += os.read(fd, 4096)
    os.write(fd, typed)
    status = os.waitstatus_to_exitcode(os.waitpid(pid, 0)[1])
    assert termios.tcgetattr(fd)[3] & termios.ECHO, "echo left off"
    try:  # what it wrote after the prompt, still in the terminal's buffer
        seen += os.read(fd, 4096)
    except OSError:
        pass
    assert b"typed" not in seen, seen
    return status, seen


status, shown = run("typed pässword\n".encode())
assert status == 0 and b"00000014789c4bf1c8298f0a0f4c4ff6f5cf4e36f6334e32f6ca06004a5906c4" in shown, shown
assert run(b"half typed\x03")[0] == -2  # ended by SIGINT
