#!/usr/bin/env python3
# Copyright (C) 2026 The Proxy Password developers
# SPDX-License-Identifier: MIT
# proxy-password-encode as scripts and people use it (for Windows, under wine).
# From a pipe: one row per documented rule, each string checked against this
# file's own encoding, on a non-blocking standard input whose data comes late
# (not under wine), and an input that never ends. On a terminal (wine's
# console): it asks, the typed password is never shown, its exact string
# follows, and echo is as it was however the program ends: Enter, Ctrl+C, a
# signal, a line longer than the terminal passes on whole; Ctrl+C ends it
# without a message, with the status Windows gives under wine. Under a shell with
# job control, echo is on while it is stopped (Ctrl+Z) and off again when it is
# continued. (That echo goes off before the prompt, not just after, no test
# here can see without a race.)
# Usage: encoder.py VERSION PROGRAM  |  encoder.py VERSION wine PROGRAM.exe
import base64, contextlib, os, pty, re, select, signal, subprocess, sys, termios, time, zlib

version, command = sys.argv[1], sys.argv[2:]
wine = command[0] == "wine"
# wine's console: no VT codes, and long lines wrapped
shown = lambda output: re.sub(rb"\x1b\[[0-9;?]*[A-Za-z]|\r\r\n", b"", output)
signal.alarm(300)  # a hang fails the test


def expected(password):  # the UTF-8 bytes as Base64, zlib at its default level after the length, in hex
    text = base64.b64encode(password)
    return (len(text).to_bytes(4, "big") + zlib.compress(text)).hex().encode()


line = lambda password: expected(password) + b"\n"
limit = int(re.search(r"maxPasswordLength = (\d+);", open(os.path.dirname(__file__) + "/../encoding/passwordstring.h").read())[1])
bom, longest = "\ufeff".encode(), "中".encode() * limit  # three UTF-8 bytes each
from_pipe = [  # standard input (or a file that never ends), arguments, exit status, all of standard output
    (b" a\x1ab\r\nc  \n\n", [], 0, line(b" a\x1ab\r\nc  \n")),  # only one line end, at the end, is dropped
    (bom + bom + "Pässwörd 🔑".encode(), [], 0, line(bom + "Pässwörd 🔑".encode())),  # one BOM dropped
    (bom + longest + b"\r\n", [], 0, line(longest)),
    (b"x" * (limit + 1), [], 2, b""),  # longer than the window takes
    (open("/dev/zero", "rb"), [], 2, b""),  # endless: it must stop by itself
    (bom + b"\n", [], 1, b""),  # empty
    (b"ab\xffc", [], 2, b""),  # not UTF-8
    (b"abc", ["hunter2"], 64, b""),  # an argument, perhaps the password
    (b"abc", ["--version"], 0, f"proxy-password-encode {version}\n".encode()),
]
for given, arguments, status, output in from_pipe:
    piped = isinstance(given, bytes)
    encoder = subprocess.Popen(command + arguments, stdin=subprocess.PIPE if piped else given,
                               stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                               preexec_fn=None if wine or not piped else lambda: os.set_blocking(0, False))
    time.sleep(0.1)  # no data yet on the non-blocking input: to be waited for, not taken for a failure
    out, error = encoder.communicate(given if piped else None)
    assert (encoder.returncode, out) == (status, output), (arguments, encoder.returncode, out[:80], error)
    own = error if not wine else b"".join(e for e in error.splitlines(True) if e.startswith(b"proxy-password-encode"))
    assert bool(own) == (status != 0) and b"hunter2" not in error, error  # one line when it fails, never repeated


def read_until(fd, pattern, seen=b"", times=1):
    while shown(seen).count(pattern) < times:
        seen += os.read(fd, 1 << 16)
    return seen


def check_hidden(fd, seen):
    # What it wrote after the prompt may still be on its way through the terminal (a kernel work
    # queue, slow on a busy machine); then Linux closes the terminal, and wine may keep it open.
    with contextlib.suppress(OSError):
        while select.select([fd], [], [], 2)[0] and (chunk := os.read(fd, 1 << 20)):
            seen += chunk
    assert b"typed" not in shown(seen), shown(seen)[-300:]
    return shown(seen)


password, long_password = "typed pässword".encode(), b"typed " + b"x" * 5000
cases = [  # typed, exit status, what the output holds
    (password + b"\r", 0, expected(password)),  # Return sends CR, as a terminal does
    (b"half typed\x03", 0x3A if wine else -signal.SIGINT, b""),  # Ctrl+C: STATUS_CONTROL_C_EXIT's low byte
    # Linux passes on 4095 bytes of a line and drops the rest: refused, never cut;
    # wine's console passes it whole.
    (long_password + b"\r", 0 if wine else 2, expected(long_password) if wine else b"from a file or a pipe"),
] + ([] if wine else [(b"half typed\x1c", -signal.SIGQUIT, b"")])  # Ctrl+\: any other signal that ends it

for typed, status, output in cases:
    pid, fd = pty.fork()
    if pid == 0:  # as a terminal starts it, even where this test runs with Ctrl+C and Ctrl+\ ignored
        for caught in signal.SIGINT, signal.SIGQUIT: signal.signal(caught, signal.SIG_DFL)
        os.execvp(command[0], command)
    seen = read_until(fd, b"Password:")  # however long wine takes to start
    time.sleep(0.5 if wine else 0)  # wine's console echoes and loses what comes before the read starts
    os.write(fd, typed)
    got_status = os.waitstatus_to_exitcode(os.waitpid(pid, 0)[1])
    # wine's console (conhost.exe, which set the terminal raw) puts it back after the program ends
    deadline = time.monotonic() + (10 if wine else 0)
    while not termios.tcgetattr(fd)[3] & termios.ECHO and time.monotonic() < deadline:
        time.sleep(0.1)
    assert termios.tcgetattr(fd)[3] & termios.ECHO, ("echo left off", typed[:20])
    assert got_status == status, (typed[:20], got_status)
    got = check_hidden(fd, seen)
    assert output in got and (output or b"789c" not in got), (typed[:20], got[-300:])
    assert got.count(b"proxy-password-encode:") == (status == 2), got[-300:]  # a message only when refused

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
    assert expected(password) in check_hidden(fd, read_until(fd, b"$ ", seen, times=3))
