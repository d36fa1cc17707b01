#!/usr/bin/env python3
# Copyright (C) 2026 The Proxy Password developers
# SPDX-License-Identifier: MIT
"""proxy-password-encode on a terminal: echo is off by the time it prompts, the
typed password is not shown, and echo is on again when it ends, also by Ctrl+C."""
import os, pty, sys, termios


def run(typed):
    pid, fd = pty.fork()
    if pid == 0:
        os.execv(sys.argv[1], sys.argv[1:2])
    seen = b""
    while b"Password: " not in seen:
        seen += os.read(fd, 4096)
    assert not termios.tcgetattr(fd)[3] & termios.ECHO, "echo on at the prompt"
    os.write(fd, typed)
    try:
        while chunk := os.read(fd, 4096):
            seen += chunk
    except OSError:  # the program has ended
        pass
    status = os.waitstatus_to_exitcode(os.waitpid(pid, 0)[1])
    assert termios.tcgetattr(fd)[3] & termios.ECHO, "echo left off"
    return status, seen


status, shown = run("s3cret pässword\n".encode())
assert status == 0 and b"s3cret" not in shown, (status, shown)
assert b"00000018789c4baef2cb4ace0d33f0f4707129f0f0ab4a31b2ac8c72b4b50500678007e2" in shown, shown
assert run(b"half typed\x03")[0] == -2  # ended by SIGINT
print("PASS: no echo, password string printed, echo restored (also after Ctrl+C)")
