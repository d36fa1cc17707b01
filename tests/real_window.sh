#!/usr/bin/env bash
# Copyright (C) 2026 The Proxy Password developers
# SPDX-License-Identifier: MIT
# The built program on a real display system, driven as a user would: a
# password typed with real key events, Return, Tab to "Copy Output" and Space.
# Then the program is ended in each way a user or the system ends it, and after
# the end the clipboard must hold the exact password string and the markers that
# ask clipboard history to leave it out (on X11 beside a clipboard manager;
# under wine beside another Windows program, as in a desktop session). Wayland
# keeps nothing of a client that has gone, so there it is checked before the
# end, and the end must not hang. Escape ends with status 0, a signal by that
# signal. On Wayland the window's app_id must also name the installed desktop entry.
# Usage: real_window.sh x11 PROGRAM | real_window.sh wayland PROGRAM APP_ID (Xvfb; headless sway)
#        real_window.sh wine PROGRAM.exe                (wine on Xvfb)
set -euo pipefail
backend=$1 program=$2 app_id=${3:-}
expected=00000014789c0bf5f02a4bf5c84e4f7677ab4aae7434f0cd74b50500498106cc
# X11 and wine: on an Xvfb of its own, unless the caller has started one for it.
[ "$backend" = wayland ] || [ -n "${REAL_WINDOW_XVFB:-}" ] || REAL_WINDOW_XVFB=1 exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
tmp=$(mktemp -d)
cleanup() { kill $(jobs -p) 2>/dev/null || true; rm -rf "$tmp"; } # the program and the helpers
trap cleanup EXIT
fail() { echo "FAIL ($backend, $ending): $*" >&2; exit 1; }
set -m # job control: a background program must not start with SIGINT ignored
# Each ending, and the exit status it must give (empty: any).
endings=("Escape 0")
# The markers, as clipboard types (wine
# exports the Windows clipboard formats under their own names): name, hex bytes.
markers=("x-kde-passwordManagerHint 736563726574") # "secret"

if [ "$backend" = wayland ]; then
    # sway will not run as root, so the compositor runs as nobody in a runtime
    # directory of its own; the program and the tools connect to its socket.
    chown nobody "$tmp" && chmod 700 "$tmp"
    printf '%s\n' 'xwayland disable' 'output HEADLESS-1 resolution 1024x768' >"$tmp/config"
    setpriv --reuid=nobody --regid="$(id -g nobody)" --clear-groups env -i XDG_RUNTIME_DIR="$tmp" HOME="$tmp" \
        WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman sway -c "$tmp/config" 2>"$tmp/sway.log" &
    for _ in $(seq 100); do [ -S "$tmp/wayland-1" ] && break; sleep 0.1; done
    export WAYLAND_DISPLAY=$tmp/wayland-1 SWAYSOCK=$(echo "$tmp"/sway-ipc.*.sock) QT_QPA_PLATFORM=wayland
    wtype -s 3600000 & # a keyboard that stays: the seat has none, and wtype's own come and go
    clipboard() { wl-paste -n "$@" 2>/dev/null || true; }
    clear_clipboard() { wl-copy --clear; }
    targets() { clipboard --list-types; }
    type_text() { wtype -d 30 "$1"; }
    press() { local keys=(); for key; do keys+=(-k "$key"); done; wtype -d 50 "${keys[@]}"; }
    # The desktop pairs a window with its launcher by app_id = desktop entry name.
    window() { swaymsg -q "[app_id=\"^$app_id\$\" title=\"^Proxy Password\$\"] focus" 2>/dev/null; }
else
    export QT_QPA_PLATFORM=xcb
    clipboard() { xclip -o -selection clipboard "$@" 2>/dev/null || true; }
    clear_clipboard() { printf 'not copied' | xclip -selection clipboard; }
    targets() { clipboard -t TARGETS; }
    type_text() { xdotool type --delay 30 "$1"; }
    press() { xdotool key --delay 50 "$@"; }
    # A search fails when a window goes meanwhile, as wine's do at start. No
    # window manager gives it focus.
    window() { xdotool search --limit 1 --onlyvisible --name '^Proxy Password$' windowfocus --sync 2>/dev/null; }
fi
if [ "$backend" = x11 ]; then
    /usr/bin/python3 "$(dirname "$0")/clipboard_manager.py" >"$tmp/manager" &
    for _ in $(seq 100); do [ -s "$tmp/manager" ] && break; sleep 0.1; done
    # Escape ends it through the same teardown as these signals do.
    endings=("TERM 143" "HUP 129" "INT 130")
fi
if [ "$backend" = wine ]; then
    markers=("ExcludeClipboardContentFromMonitorProcessing 00"
             "CanIncludeInClipboardHistory 00000000" "CanUploadToCloudClipboard 00000000")
    # Wine drops the clipboard with the last process of its prefix; in a desktop
    # session other programs run on, as Notepad does here.
    wine notepad >/dev/null 2>&1 &
    # With a console window of its own, as Explorer and the Start menu start it.
    # (Ctrl+C there ends it the same way as closing the window: the system ends it.)
    endings+=("console-closed ")
fi

check_clipboard() {
    [ "$(clipboard; echo .)" = "$expected." ] || fail "the clipboard holds '$(clipboard | head -c 100)'" # nothing added
    for marker in "${markers[@]}"; do
        name=${marker% *} bytes=${marker#* }
        [ "$(clipboard -t "$name" | od -An -tx1 | tr -d ' \n')" = "$bytes" ] || fail "no clipboard type $name of $bytes"
    done
}

for row in "${endings[@]}"; do
    ending=${row% *} status=${row#* }
    clear_clipboard # of what an earlier row left
    $([ "$backend" != wine ] || echo wine start /wait /unix) "$program" &
    pid=$!
    for _ in $(seq 300); do window && break; sleep 0.2; done
    window || fail "no window titled Proxy Password${app_id:+ with the app_id $app_id}"
    type_text 'Proxy pass 42!' # ASCII: wine does not follow the keys xdotool remaps
    press Return Tab Tab Tab space # Convert; output field, Convert, Copy Output
    # Only the types are listed while it runs: a read would hand the text over
    # early (on Windows, render it) and hide a loss at the end.
    for _ in $(seq 100); do targets | grep -q "^${markers[0]% *}$" && break; sleep 0.1; done
    [ "$backend" != wayland ] || check_clipboard

    case $ending in
        Escape) press Escape ;;
        console-closed) # what a window manager's close button sends
            /usr/bin/python3 -c 'import sys; from Xlib import display, X; from Xlib.protocol import event
d = display.Display(); w = d.create_resource_object("window", int(sys.argv[1])); atom = d.intern_atom
w.send_event(event.ClientMessage(window=w, client_type=atom("WM_PROTOCOLS"), data=(32, [atom("WM_DELETE_WINDOW"), X.CurrentTime, 0, 0, 0])))
d.flush()' "$(xdotool search --limit 1 --name 'proxy-password\.exe$')" ;;
        *) kill -s "$ending" "$pid" ;;
    esac
    timeout 10 tail --pid="$pid" -f /dev/null || fail "still running"
    got=0; wait "$pid" || got=$?
    [ -z "$status" ] || [ "$got" = "$status" ] || fail "exit status $got"
    [ "$backend" = wayland ] || check_clipboard
done
