#!/usr/bin/env bash
# The built program in a real X server (run this under xvfb-run): a password
# typed with real key events, Return, Tab to "Copy Output" and Space; the X
# clipboard must then hold the exact password string. Escape must end the
# program with status 0.
# Usage: real_window.sh COMMAND...  (the program, or e.g. wine proxy-password.exe)
set -euo pipefail
password='Proxy pass 42!' # ASCII: wine does not follow the keys xdotool remaps
expected=00000014789c0bf5f02a4bf5c84e4f7677ab4aae7434f0cd74b50500498106cc
fail() { echo "FAIL: $*" >&2; kill "$pid" 2>/dev/null || true; exit 1; }
clipboard() { xclip -o -selection clipboard "$@" 2>/dev/null || true; }

"$@" &
pid=$!
wid=$(timeout 60 xdotool search --sync --onlyvisible --name '^Proxy Password$' | head -n1) \
    || fail "no window titled Proxy Password"
xdotool windowfocus --sync "$wid" # no window manager gives it focus
xdotool type --delay 30 "$password"
xdotool key --delay 50 Return Tab Tab Tab space # Convert; output field, Convert, Copy Output

for _ in $(seq 100); do [ "$(clipboard)" = "$expected" ] && break; sleep 0.1; done
[ "$(clipboard)" = "$expected" ] || fail "the clipboard holds '$(clipboard | head -c 100)'"
[ -z "${SCREENSHOT:-}" ] || import -window "$wid" "$SCREENSHOT"

xdotool key Escape
for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
status=0
wait "$pid" || status=$?
[ "$status" -eq 0 ] || fail "exit status $status after Escape"
echo "PASS: password string on the clipboard; exit status 0"
