#!/usr/bin/env python3
# Copyright (C) 2026 The Proxy Password developers
# SPDX-License-Identifier: MIT
# proxy-password-encode on a terminal (for Windows, on wine's console): it asks,
# the password typed at once after the prompt is not shown, its exact string
# follows, and echo is on again when it ends, also by Ctrl+C. (That echo goes
# off before the prompt, not just after, no test here can see without a race.)
# Usage: cli_terminal.py PROGRAM  |  cli_terminal.py wine PROGRAM.exe
import os, pty, re, sys, termios, time

command = sys.argv[1:]
shown = lambda output: re.sub(rb"\x1b\[[0-9;?]*[A-Za-z]", b"", output)  # wine's console: no VT codes


def run(typed):
    pid, fd = pty.fork()
    if pid == 0:
        os.execvp(command[0], command)
    seen = b""
    while b"Password:" not in shown(seen):  # however long wine takes to start
        seen += os.read(fd, 4096)
    if command[0] == "wine":  # whose console echoes and loses what comes before the read starts
        time.sleep(0.5)
    os.write(fd, typed)
    status = os.waitstatus_to_exitcode(os.waitpid(pid, 0)[1])
    assert termios.tcgetattr(fd)[3] & termios.ECHO, "echo left off"
    os.set_blocking(fd, False)  # wine may keep the terminal open after the program ends
    try:  # what it wrote after the prompt, still in the terminal's buffer
        seen += os.read(fd, 1 << 20)
    except OSError:
        pass
    assert b"typed" not in shown(seen), seen
    return status, shown(seen)


status, output = run("typed pässword\r".encode())  # Return sends CR, as a terminal does
assert status == 0 and b"00000014789c4bf1c8298f0a0f4c4ff6f5cf4e36f6334e32f6ca06004a5906c4" in output, output
status, output = run(b"half typed\x03")
assert status != 0 and b"789c" not in output, (status, output)  # ended, by SIGINT or Windows' Ctrl+C
