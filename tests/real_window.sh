#!/usr/bin/env bash
# Copyright (C) 2026 The Proxy Password developers
# SPDX-License-Identifier: MIT
# The built program in a real X server (run this under xvfb-run): a password
# typed with real key events, Return, Tab to "Copy Output" and Space; the X
# clipboard must then hold the exact password string and the markers that keep
# it out of clipboard history. Escape must end the program with status 0.
# Usage: real_window.sh COMMAND...  (the program, or e.g. wine proxy-password.exe)
set -euo pipefail
expected=00000014789c0bf5f02a4bf5c84e4f7677ab4aae7434f0cd74b50500498106cc
fail() { echo "FAIL: $*" >&2; kill "$pid" 2>/dev/null || true; exit 1; }
clipboard() { xclip -o -selection clipboard "$@" 2>/dev/null || true; }

"$@" &
pid=$!
for _ in $(seq 300); do # a search fails when a window goes meanwhile, as wine's do at start
    wid=$(xdotool search --limit 1 --onlyvisible --name '^Proxy Password$' 2>/dev/null) && break
    sleep 0.2
done
[ -n "${wid:-}" ] || fail "no window titled Proxy Password"
xdotool windowfocus --sync "$wid" # no window manager gives it focus
xdotool type --delay 30 'Proxy pass 42!' # ASCII: wine does not follow the keys xdotool remaps
xdotool key --delay 50 Return Tab Tab Tab space # Convert; output field, Convert, Copy Output

for _ in $(seq 100); do [ "$(clipboard)" = "$expected" ] && break; sleep 0.1; done
[ "$(clipboard)" = "$expected" ] || fail "the clipboard holds '$(clipboard | head -c 100)'"
# The hints that keep it out of clipboard history, as X targets (wine exports
# the Windows clipboard formats under their own names): name, then hex bytes.
case $1 in
    wine*) markers=("ExcludeClipboardContentFromMonitorProcessing 00"
                    "CanIncludeInClipboardHistory 00000000" "CanUploadToCloudClipboard 00000000") ;;
    *) markers=("x-kde-passwordManagerHint 736563726574") ;; # "secret"
esac
targets=$(clipboard -t TARGETS) # first, as a clipboard manager asks: wine lists its formats then
for marker in "${markers[@]}"; do
    name=${marker% *} bytes=${marker#* }
    grep -qx "$name" <<<"$targets" || fail "no clipboard target $name among: $targets"
    [ "$(clipboard -t "$name" | od -An -tx1 | tr -d ' \n')" = "$bytes" ] || fail "$name does not hold $bytes"
done
[ -z "${SCREENSHOT:-}" ] || import -window "$wid" "$SCREENSHOT"

xdotool key Escape
timeout 10 tail --pid="$pid" -f /dev/null || fail "still running after Escape"
wait "$pid" || fail "exit status $? after Escape"
