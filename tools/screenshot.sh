#!/usr/bin/env bash
# Remakes docs/viewer.png: the viewer with the bundled example tournament in
# the middle of play, photographed under a virtual X server with a window
# manager, so that the picture shows the window as a desktop shows it.
#
#   tools/screenshot.sh [BUILD_DIR] [OUTPUT]
#
# Needs Xvfb, openbox, xdotool and ImageMagick (./build.sh screenshot installs
# them) and a built viewer. Nothing touches the settings of the user running
# it: the viewer reads and writes a settings folder of its own.
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=${1:-build}
output=${2:-docs/viewer.png}
viewer="$build_dir/viewer/ostrel-view"
script=examples/default.ostrelScript
battle_starts=16   # Ctrl+Right presses: the start of battle 16 of 31

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

# -displayfd picks a free display number and writes it once the server runs.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" 2>/dev/null &
pids+=($!)
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"

openbox --config-file /dev/null >/dev/null 2>&1 &
pids+=($!)
sleep 1

# A wider battle list than the first start gives, so that the rows read whole.
mkdir -p "$work/config/Brimwold"
cat >"$work/config/Brimwold/Torvex.ini" <<'INI'
[Software]
Brimwold\Torvex\DLL\OstrelScriptViewer\ListWidth=330
Brimwold\Torvex\DLL\OstrelScriptViewer\MapHeight=290
INI

XDG_CONFIG_HOME="$work/config" "$viewer" "$script" >/dev/null 2>&1 &
pids+=($!)
window=$(xdotool search --sync --onlyvisible --name "OstrelScirpt")
xdotool windowsize --sync "$window" 900 600
xdotool windowmove --sync "$window" 40 40
xdotool windowactivate --sync "$window"
for _ in $(seq "$battle_starts"); do xdotool key --window "$window" ctrl+Right; done
sleep 1

# The window with its frame: the frame is the window manager's parent window.
frame=$(xwininfo -tree -id "$window" | sed -n 's/^ *Parent window id: \(0x[0-9a-f]*\).*/\1/p')
mkdir -p "$(dirname "$output")"
import -window "${frame:-$window}" "$output"
echo "wrote $output"
