#!/usr/bin/env python3
# Copyright (C) 2026 The Proxy Password developers
# SPDX-License-Identifier: MIT
# proxy-password-encode on a terminal (for Windows, on wine's console): it asks,
# the typed password is never shown, its exact string follows (the same as from
# a pipe), and echo is as it was however the program ends: Enter, Ctrl+C, a
# signal, a line longer than the terminal passes on whole. Under a shell with
# job control, echo is on while it is stopped (Ctrl+Z) and off again when it is
# continued. (That echo goes off before the prompt, not just after, no test
# here can see without a race.)
# Usage: cli_terminal.py PROGRAM  |  cli_terminal.py wine PROGRAM.exe
import contextlib, os, pty, re, signal, subprocess, sys, termios, time

command = sys.argv[1:]
wine = command[0] == "wine"
# wine's console: no VT codes, and long lines wrapped
shown = lambda output: re.sub(rb"\x1b\[[0-9;?]*[A-Za-z]|\r\r\n", b"", output)
signal.alarm(120)  # a hang fails the test


def read_until(fd, pattern, seen=b"", times=1):
    while shown(seen).count(pattern) < times:
        seen += os.read(fd, 1 << 16)
    return seen


def check_hidden(fd, seen):
    os.set_blocking(fd, False)  # wine may keep the terminal open after the program ends
    with contextlib.suppress(OSError):  # what it wrote after the prompt, still in the terminal's buffer
        seen += os.read(fd, 1 << 20)
    assert b"typed" not in shown(seen), shown(seen)[-300:]
    return shown(seen)


string_of = lambda password: subprocess.run(command, input=password, stdout=subprocess.PIPE).stdout.strip()
password, long_password = "typed pässword".encode(), b"typed " + b"x" * 5000
cases = [  # typed, a signal sent then, exit status (None: any but 0), what the output holds
    (password + b"\r", None, 0, string_of(password)),  # Return sends CR, as a terminal does
    (b"half typed\x03", None, None if wine else -signal.SIGINT, b""),  # ended by Ctrl+C
    # Linux passes on 4095 bytes of a line and drops the rest: refused, never cut;
    # wine's console passes it whole.
    (long_password + b"\r", None, 0 if wine else 2, string_of(long_password) if wine else b"from a file or a pipe"),
] + ([] if wine else [(b"half typed", signal.SIGALRM, -signal.SIGALRM, b"")])  # any signal that ends it

for typed, send, status, output in cases:
    pid, fd = pty.fork()
    if pid == 0:
        os.execvp(command[0], command)
    seen = read_until(fd, b"Password:")  # however long wine takes to start
    if wine:  # whose console echoes and loses what comes before the read starts
        time.sleep(0.5)
    os.write(fd, typed)
    if send:
        os.kill(pid, send)
    got_status = os.waitstatus_to_exitcode(os.waitpid(pid, 0)[1])
    assert termios.tcgetattr(fd)[3] & termios.ECHO, "echo left off"
    assert (got_status != 0 if status is None else got_status == status), (typed[:20], got_status)
    got = check_hidden(fd, seen)
    assert output in got and (output or b"789c" not in got), (typed[:20], got[-300:])

if not wine:  # Ctrl+Z and fg under a shell with job control (dash, which leaves the terminal as it is)
    pid, fd = pty.fork()
    if pid == 0:
        os.execvpe("dash", ["dash", "-i"], {"PS1": "$ ", "PATH": os.environ["PATH"]})
    os.write(fd, " ".join(command).encode() + b"\r")
    seen = read_until(fd, b"Password:")
    os.write(fd, b"typed\x1a")
    seen = read_until(fd, b"Stopped", seen)
    assert termios.tcgetattr(fd)[3] & termios.ECHO, "echo off while stopped"
    os.write(fd, b"fg\r")
    seen = read_until(fd, b"Password:", seen, times=2)  # asked again
    os.write(fd, password + b"\r")
    assert string_of(password) in check_hidden(fd, read_until(fd, b"$ ", seen, times=3))
