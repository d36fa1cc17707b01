#!/usr/bin/env python3
"""proxy-password-encode on a terminal: it prompts, does not echo the password,
prints the password string, and leaves echo on again, also after Ctrl+C."""
import base64, os, pty, sys, termios, time, zlib

encoder = sys.argv[1]


def start():
    pid, fd = pty.fork()
    if pid == 0:
        os.execv(encoder, [encoder])
    return pid, fd


def read_until(fd, token):
    seen = b""
    while token not in seen:
        try:
            chunk = os.read(fd, 4096)
        except OSError:  # the terminal closes when the program ends
            chunk = b""
        if not chunk:
            break
        seen += chunk
    return seen


def echo_on(fd):
    return bool(termios.tcgetattr(fd)[3] & termios.ECHO)


def prompted(fd):
    """Waits for the prompt and for echo to go off."""
    assert b"Password: " in read_until(fd, b"Password: ")
    for _ in range(200):
        if not echo_on(fd):
            return
        time.sleep(0.01)
    raise AssertionError("echo still on at the prompt")


def finish(pid, fd):
    status = os.waitstatus_to_exitcode(os.waitpid(pid, 0)[1])
    return status, echo_on(fd)  # the terminal outlives the program


password = "s3cret pässword"
base = base64.b64encode(password.encode())
expected = (len(base).to_bytes(4, "big") + zlib.compress(base)).hex().encode()

pid, fd = start()
prompted(fd)
os.write(fd, password.encode() + b"\n")
shown = read_until(fd, b"\n" + expected)
status, echo = finish(pid, fd)
assert status == 0, status
assert b"s3cret" not in shown, shown
assert expected in shown, shown
assert echo, "echo left off"

pid, fd = start()
prompted(fd)
os.write(fd, b"half typed\x03")
status, echo = finish(pid, fd)
assert status == -2, status  # ended by SIGINT
assert echo, "echo left off after Ctrl+C"
print("PASS: prompt without echo, password string printed, echo restored (also on Ctrl+C)")
