#!/usr/bin/env bash
# Drives the built program in a real X server with real key events:
# type a password, Return, Tab to "Copy Output", Space, read the X clipboard,
# decode it, then Escape and expect exit status 0.
# Usage: e2e_window.sh PROGRAM [SCREENSHOT.png]
set -euo pipefail
program=$1 screenshot=${2:-}
password='Pässwörd 42 €!'

if [ -z "${E2E_IN_XVFB:-}" ]; then
    E2E_IN_XVFB=1 exec xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" "$0" "$@"
fi

fail() { echo "FAIL: $*" >&2; kill "$pid" 2>/dev/null || true; exit 1; }

QT_QPA_PLATFORM=xcb "$program" &
pid=$!
wid=$(timeout 20 xdotool search --sync --onlyvisible --name '^Proxy Password$' | head -n1) \
    || fail "no window titled Proxy Password"
xdotool windowfocus --sync "$wid" # no window manager gives it focus
xdotool type --delay 30 "$password"
xdotool key Return
xdotool key --delay 50 Tab Tab Tab space # output field, Convert, Copy Output

clip=
for _ in $(seq 100); do
    clip=$(xclip -o -selection clipboard 2>/dev/null) && [ -n "$clip" ] && break
    sleep 0.1
done
[ -n "$clip" ] || fail "nothing on the clipboard"

python3 - "$password" "$clip" <<'PY' || fail "clipboard does not decode to the password: $clip"
import base64, sys, zlib
password, clip = sys.argv[1], sys.argv[2]
raw = bytes.fromhex(clip)
assert raw.hex() == clip, "not lower-case hex"
text = zlib.decompress(raw[4:])
assert int.from_bytes(raw[:4], "big") == len(text)
assert base64.b64decode(text, validate=True).decode() == password
PY

[ -z "$screenshot" ] || import -window "$wid" "$screenshot"

xdotool key Escape
for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
status=0
wait "$pid" || status=$?
[ "$status" -eq 0 ] || fail "exit status $status after Escape"
echo "PASS: typed password copied and decoded; exit status 0"
