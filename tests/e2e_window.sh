#!/usr/bin/env bash
# Drives the built program in a real X server with real key events: a password
# typed (or a long mixed-script one pasted with Ctrl+V), Return, Tab to
# "Copy Output", Space; the X clipboard must decode to what the field holds.
# Then Escape, and the exit status must be 0.
# Usage: e2e_window.sh PROGRAM typed|pasted [SCREENSHOT.png]
set -euo pipefail
program=$1 mode=$2 screenshot=${3:-}

if [ -z "${E2E_IN_XVFB:-}" ]; then
    E2E_IN_XVFB=1 exec xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" "$0" "$@"
fi

tmp=$(mktemp -d)
pid=
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; [ -z "$pid" ] || kill "$pid" 2>/dev/null || true; exit 1; }

# The pasted text is longer than the input field takes and does not compress;
# the field's 32767-unit cut falls between characters.
python3 - "$mode" "$tmp/password" <<'PY'
import random, sys
mode, path = sys.argv[1:]
if mode == "typed":
    text = "Pässwörd 42 €!"
else:
    random.seed(5)
    text = ""
    while len(text.encode("utf-16-le")) < 2 * 40000:
        start = random.choice([0x21, 0xc0, 0x410, 0x4e00] + [0x1f300] * (len(text) % 7 == 0))
        text += chr(start + random.randrange(20000 if start == 0x4e00 else 64))
        if len(text.encode("utf-16-le")) == 2 * 32766:
            text += "x"
open(path, "w", encoding="utf-8").write(text)
PY

QT_QPA_PLATFORM=xcb "$program" &
pid=$!
wid=$(timeout 20 xdotool search --sync --onlyvisible --name '^Proxy Password$' | head -n1) \
    || fail "no window titled Proxy Password"
xdotool windowfocus --sync "$wid" # no window manager gives it focus
if [ "$mode" = typed ]; then
    xdotool type --delay 30 "$(cat "$tmp/password")"
else
    xclip -i -selection clipboard <"$tmp/password" >/dev/null 2>&1
    xdotool key ctrl+v
fi
xdotool key Return
xdotool key --delay 50 Tab Tab Tab space # output field, Convert, Copy Output

for _ in $(seq 100); do
    xclip -o -selection clipboard >"$tmp/clip" 2>/dev/null || true
    [ -s "$tmp/clip" ] && ! cmp -s "$tmp/clip" "$tmp/password" && break
    sleep 0.1
done

python3 - "$tmp/password" "$tmp/clip" <<'PY' || fail "the clipboard does not decode to the password"
import base64, sys, zlib
password = open(sys.argv[1], encoding="utf-8").read()
clip = open(sys.argv[2]).read()
held = password.encode("utf-16-le")[:2 * 32767].decode("utf-16-le")  # the field's limit
raw = bytes.fromhex(clip)
assert raw.hex() == clip, "not lower-case hex"
text = zlib.decompress(raw[4:])
assert int.from_bytes(raw[:4], "big") == len(text)
assert base64.b64decode(text, validate=True).decode() == held
PY

[ -z "$screenshot" ] || import -window "$wid" "$screenshot"

xdotool key Escape
for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
status=0
wait "$pid" || status=$?
[ "$status" -eq 0 ] || fail "exit status $status after Escape"
echo "PASS: $mode password copied and decoded; exit status 0"
