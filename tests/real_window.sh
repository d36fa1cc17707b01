#!/usr/bin/env bash
# Copyright (C) 2026 The Proxy Password developers
# SPDX-License-Identifier: MIT
# The built program on a real desktop, driven as a user would: a password typed
# with real key events, Return, Tab to "Copy Output" and Space. Then the program
# is ended in each way a user or the system ends it (Escape with status 0, a
# signal by that signal, never a hang), and after the end the clipboard must
# hold:
# - X11, beside Xfce's clipboard manager: the exact password string and the markers
#   that ask clipboard history to leave it out;
# - wine, beside another Windows program, as in a desktop session: the same;
# - GNOME (headless mutter, Wayland): the string alone, without the markers,
#   as mutter's own keeper gives it back, even after kill -9; the window's
#   app_id must name the installed desktop entry;
# - KDE (Klipper on X11): what was copied before the program started, as Klipper
#   gives it back; its history and the user's files never hold the string.
# Usage: real_window.sh x11|kde|wine PROGRAM | real_window.sh gnome PROGRAM APP_ID
# (GNOME and KDE are skipped, status 77, where mutter or Klipper is missing.)
set -euo pipefail
backend=$1 program=$2 app_id=${3:-} here=$(cd "$(dirname "$0")" && pwd)
expected=00000014789c0bf5f02a4bf5c84e4f7677ab4aae7434f0cd74b50500498106cc
# On an Xvfb of its own (with a D-Bus session, which Xfce and KDE need), unless the caller has started one for it.
[ "$backend" = gnome ] || [ -n "${REAL_WINDOW_XVFB:-}" ] || REAL_WINDOW_XVFB=1 exec xvfb-run -a \
    -s "-screen 0 1024x768x24" $([ "$backend" = wine ] || echo dbus-run-session) "$0" "$@"
tmp=$(mktemp -d)
cleanup() { set +m; for job in $(jobs -p); do kill -- -"$job" 2>/dev/null || true; done; rm -rf "$tmp"; } # the program and the helpers
trap cleanup EXIT
fail() { echo "FAIL ($backend, ${ending:-start}): $*" >&2; exit 1; }
set -m # job control: each helper in a process group of its own, ended with it
# Each ending, and the exit status it must give (empty: any).
endings=("Escape 0")
# The markers, as clipboard types (wine
# exports the Windows clipboard formats under their own names): name, hex bytes.
markers=("x-kde-passwordManagerHint 736563726574") # "secret"

start() { env --default-signal=INT "$program" & } # as a desktop starts it, even where this runs with Ctrl+C ignored
wait_for() { for _ in $(seq 600); do "$@" && return; sleep 0.1; done; false; } # a minute at most
after=$expected # what the clipboard holds after the end, with the markers

if [ "$backend" = gnome ]; then
    command -v mutter >/dev/null || exit 77
    # mutter keeps its D-Bus session to its user: it runs as nobody in a runtime
    # directory of its own; the program and the tools connect to its socket.
    chown nobody "$tmp" && chmod 700 "$tmp"
    as_nobody() { setpriv --reuid=nobody --regid="$(id -g nobody)" --clear-groups env -i XDG_RUNTIME_DIR="$tmp" HOME="$tmp" "$@"; }
    bus=unix:path=$tmp/bus # its D-Bus session, at an address of the test's choosing
    as_nobody dbus-daemon --session --nofork --address="$bus" & wait_for test -S "$tmp/bus"
    as_nobody DBUS_SESSION_BUS_ADDRESS="$bus" mutter --headless --wayland --no-x11 --virtual-monitor 1024x768 2>"$tmp/mutter.log" &
    wait_for test -S "$tmp/wayland-0"
    export WAYLAND_DISPLAY=$tmp/wayland-0 QT_QPA_PLATFORM=wayland
    clipboard() { wl-paste -n "$@" 2>/dev/null || true; }
    clear_clipboard() { wait_for wl-copy --clear 2>/dev/null; } # the seat gets its keyboard some time after the session starts
    # Keys go through mutter's remote desktop D-Bus API (read by nobody through the descriptor).
    coproc typist { as_nobody DBUS_SESSION_BUS_ADDRESS="$bus" /usr/bin/python3 /dev/fd/3 3<"$here/remote_desktop_keys.py"; }
    read -r -u "${typist[0]}"
    # ASCII: the keysym is the code. Shifts first, until one reaches the window: keys right after
    # it takes the focus were lost (under load, six).
    type_text() { wait_for eval 'press Shift_L; grep -qE "wl_keyboard[@#][0-9]+\.key\(" "$tmp/wayland.log"'; press $(printf %s "$1" | od -An -tu1); }
    press() { echo "$@" >&"${typist[1]}"; }
    # No window list over D-Bus in mutter alone: the program's own Wayland requests and events show it.
    start() { WAYLAND_DEBUG=client "$program" 2>"$tmp/wayland.log" & }
    # A paste would wait for the focus that mutter does not give it while the window has it. The
    # types count 2 s after mutter has asked for the text it keeps (no user ends the program
    # sooner): ended at once, under load, the program had left nothing (after kill -9 once, after SIGTERM once).
    offered() { grep -q 'send("text/plain;charset=utf-8"' "$tmp/wayland.log" && sleep 2 && sed -n 's/.*wl_data_source[@#][0-9]*\.offer("\(.*\)")$/\1/p' "$tmp/wayland.log"; }
    window() { [ "$(grep -oE "set_(app_id|title)\(\"($app_id|Proxy Password)\"\)|wl_keyboard[@#][0-9]+\.enter" "$tmp/wayland.log" | sort -u | wc -l)" = 3 ]; }
    endings=("Escape 0" "TERM 143" "KILL 137")
else
    export QT_QPA_PLATFORM=xcb
    clipboard() { xclip -o -selection clipboard "$@" 2>/dev/null || true; }
    clear_clipboard() { printf 'not copied' | xclip -selection clipboard; }
    offered() { clipboard -t TARGETS; } # the clipboard's types, while it runs
    type_text() { xdotool type --delay 30 "$1"; }
    press() { xdotool key --delay 50 "$@"; }
    # A search fails when a window goes meanwhile, as wine's do at start. No
    # window manager gives it focus.
    window() { xdotool search --limit 1 --onlyvisible --name '^Proxy Password$' windowfocus --sync 2>/dev/null; }
fi
if [ "$backend" = x11 ]; then
    # Xfce's clipboard manager (in its settings daemon), which takes the clipboard over when its owner ends.
    xfsettingsd --disable-wm-check --sm-client-disable >/dev/null 2>&1 &
    wait_for /usr/bin/python3 "$here/selection_owned.py" CLIPBOARD_MANAGER || fail "no clipboard manager"
    # Escape ends it through the same teardown as these signals do.
    endings=("TERM 143" "HUP 129" "INT 130")
fi
if [ "$backend" = kde ]; then
    command -v klipper >/dev/null || exit 77
    HOME=$tmp klipper 2>"$tmp/klipper.log" & # its history in the user's home, which must not hold the string
    klip() { gdbus call --session -d org.kde.klipper -o /klipper -m "org.kde.klipper.klipper.$1" 2>/dev/null; }
    wait_for klip getClipboardContents >/dev/null
    endings=("Escape 0" "TERM 143" "KILL 137")
    after="not copied"
fi
if [ "$backend" = wine ]; then
    markers=("ExcludeClipboardContentFromMonitorProcessing 00"
             "CanIncludeInClipboardHistory 00000000" "CanUploadToCloudClipboard 00000000")
    # Wine drops the clipboard with the last process of its prefix; in a desktop
    # session other programs run on, as Notepad does here.
    wine notepad >/dev/null 2>&1 &
    # Its window first, so that it cannot come up later and take the focus and the typed keys.
    wait_for xdotool search --limit 1 --onlyvisible --name 'Notepad$' >/dev/null
    # With a console window of its own, as Explorer and the Start menu start it.
    # (Ctrl+C there ends it the same way as closing the window: the system ends it.)
    endings+=("console-closed ")
    start() { wine start /wait /unix "$program" & }
fi

for row in "${endings[@]}"; do
    ending=${row% *} status=${row#* }
    clear_clipboard # of what an earlier row left; for Klipper, what was copied before
    start
    pid=$!
    wait_for window || fail "no window titled Proxy Password${app_id:+ with the app_id $app_id}"
    type_text 'Proxy pass 42!' # ASCII: wine does not follow the keys xdotool remaps
    press Return Tab Tab Tab space # Convert; output field, Convert, Copy Output
    # Only the types are listed while it runs: a read would hand the text over
    # early (on Windows, render it) and hide a loss at the end.
    wait_for eval 'offered | grep -x "${markers[0]% *}" >/dev/null' || fail "nothing copied, or without ${markers[0]% *} (focus: $(xdotool getwindowfocus getwindowname 2>&1))"

    case $ending in
        Escape) press Escape ;;
        console-closed) # what a window manager's close button sends
            /usr/bin/python3 "$here/close_window.py" "$(xdotool search --limit 1 --name 'proxy-password\.exe$')" ;;
        *) kill -s "$ending" "$pid" ;;
    esac
    timeout 10 tail --pid="$pid" -f /dev/null || fail "still running"
    got=0; wait "$pid" || got=$?
    [ -z "$status" ] || [ "$got" = "$status" ] || fail "exit status $got"
    [ "$backend" != kde ] || { klip saveClipboardHistory >/dev/null && ! klip getClipboardHistoryMenu | grep -F "$expected" >/dev/null \
                                   && ! grep -rqF "$expected" "$tmp"; } || fail "Klipper kept the string"
    # After the end (mutter and Klipper take the clipboard over once they see it): nothing added.
    wait_for eval '[ "$(clipboard; echo .)" = "$after." ]' || fail "the clipboard holds '$(clipboard | head -c 100)'"
    [ "$backend" = gnome ] || [ "$backend" = kde ] || for marker in "${markers[@]}"; do
        name=${marker% *} bytes=${marker#* }
        [ "$(clipboard -t "$name" | od -An -tx1 | tr -d ' \n')" = "$bytes" ] || fail "no clipboard type $name of $bytes"
    done
    [ "$backend" != gnome ] || [ "$(clipboard --list-types)" = 'text/plain;charset=utf-8' ] || fail "types: $(clipboard --list-types | xargs)"
done
