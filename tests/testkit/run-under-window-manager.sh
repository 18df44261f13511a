#!/usr/bin/env bash
# Runs a program on a private X server (Xvfb) with a window manager (openbox),
# so that the window has a real frame, and real popups and focus. Exits 77,
# which CTest counts as skipped, when the X server or the window manager is
# not installed; ./build.sh test installs both.
#
#   run-under-window-manager.sh PROGRAM [ARGUMENTS...]
set -euo pipefail

for tool in Xvfb openbox xprop; do
    if ! command -v "$tool" >/dev/null; then
        echo "$tool is not installed: skipped"
        exit 77
    fi
done

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# Waits up to ten seconds for a command to succeed.
wait_for() {
    for _ in $(seq 100); do
        if "$@" >/dev/null 2>&1; then return 0; fi
        sleep 0.1
    done
    echo "timed out waiting for: $*" >&2
    return 1
}

# The server picks a free display and writes its number to the file. An X
# server resets itself when its last client leaves, and refuses connections
# while it does: without -noreset, the window manager could arrive just as
# the probe below has left.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
pids+=($!)
wait_for grep -q . "$work/display" || { cat "$work/xvfb.log" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$work/display")"
# The window manager gives up at once when it finds no display, so it is
# started only once the server answers; if it never does, its log says why.
wait_for xprop -root || { cat "$work/xvfb.log" >&2; exit 1; }

openbox --sm-disable >"$work/openbox.log" 2>&1 &
pids+=($!)
# The manager announces itself on the root window once it runs.
wait_for sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' \
    || { cat "$work/xvfb.log" "$work/openbox.log" >&2; exit 1; }

QT_QPA_PLATFORM=xcb "$@"
