#!/usr/bin/env bash
# The Windows programs under wine, as a user meets them:
#  1. ostrel-inspect loads a script whose file name is Japanese;
#  2. the viewer starts on a virtual display with that file on its command
#     line (wine quotes it, the name has a blank), a screenshot is taken, and it is
#     closed as a user closes it; its placement and pane sizes are then in
#     the registry as string values;
#  3. values written to the registry beforehand are read at start-up and
#     written back unchanged at closing.
#   usage: wine-viewer-check.sh VIEWER_EXE INSPECT_EXE SCRIPT SHOT_DIR
# Runs in WINEPREFIX (the build's own prefix), never the user's.
set -euo pipefail
viewer=$1 inspect=$2 script=$3 shots=$4
: "${WINEPREFIX:?WINEPREFIX must name the tests prefix}"
WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver
export WINEDEBUG=-all
# The window goes to the display, not to the offscreen platform of the other tests.
unset WINEQT_QPA_PLATFORM

fail() { echo "FAIL: $*" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
japanese="$work/東京大会 決勝.ostrelScript"
cp "$script" "$japanese"
mkdir -p "$shots"

window_key='HKCU\Software\Brimwold\Torvex\Window'
viewer_key='HKCU\Software\Brimwold\Torvex\DLL\OstrelScriptViewer'

# Value NAME of KEY as "TYPE DATA", or nothing.
# wine's reg sometimes answers nothing while the machine is busy: a value
# that comes back empty is asked for again before it counts as missing.
reg_value() {
    local value tries
    for tries in 1 2 3; do
        value=$("$WINE" reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | awk -v n="$2" '$1 == n { print $2, $3 }')
        [ -n "$value" ] && break
        sleep 1
    done
    echo "$value"
}

# The part that runs on the virtual display: start the viewer, wait for its
# window, screenshot, close it with WM_CLOSE as the close box does, and wait
# for the program to end.
cat > "$work/show-and-close.sh" <<'XEOF'
set -eu
shot=$1 wine=$2; shift 2
# A window manager gives the window its frame, as on a desktop.
openbox < /dev/null > /dev/null 2>&1 &
wm=$!
trap 'kill $wm 2>/dev/null || true' EXIT
sleep 1
"$wine" "$@" < /dev/null &
pid=$!
shown() { xwininfo -root -tree | grep -q 'OstrelScirpt'; }
for _ in $(seq 60); do shown && break; sleep 0.5; done
shown || { echo "no viewer window appeared" >&2; kill $pid; exit 1; }
sleep 2  # let it paint
import -window root "$shot"
"$wine" taskkill /IM OstrelView.exe < /dev/null > /dev/null
for _ in $(seq 40); do kill -0 $pid 2>/dev/null || break; sleep 0.5; done
if kill -0 $pid 2>/dev/null; then echo "the viewer did not close" >&2; kill $pid; exit 1; fi
wait $pid
XEOF

# Runs the viewer with its arguments on a virtual display; SHOT is the
# screenshot. Wine processes started before must be gone first: a wineserver
# that began without a display cannot create windows on one.
run_viewer() {
    local shot=$1 status=0; shift
    "$WINESERVER" -w
    xvfb-run -a -s "-screen 0 1024x768x24" bash "$work/show-and-close.sh" "$shot" "$WINE" "$viewer" "$@" \
        < /dev/null || status=$?
    "$WINESERVER" -w
    return $status
}

echo "== 1. ostrel-inspect on a Japanese file name"
"$WINE" "$inspect" "Z:${japanese//\//\\}" < /dev/null > "$work/inspect.txt" || fail "ostrel-inspect exit status $?"
head -n 3 "$work/inspect.txt"

echo "== 2. the viewer with the Japanese file name, first start"
"$WINE" reg delete 'HKCU\Software\Brimwold' /f > /dev/null 2>&1 || true
run_viewer "$shots/viewer-under-wine.png" "Z:${japanese//\//\\}" || fail "the viewer did not start and close"
echo "screenshot: $shots/viewer-under-wine.png"
"$WINE" reg query "$window_key" | tr -d '\r'
"$WINE" reg query "$viewer_key" | tr -d '\r'
for name in OstrelViewTop OstrelViewLeft OstrelViewHeight OstrelViewWidth; do
    [[ "$(reg_value "$window_key" "$name")" =~ ^REG_SZ\ -?[0-9]+$ ]] || fail "$name is not decimal text"
done
# At the design size the digest's minimum height leaves the map 302 of its 304.
[[ "$(reg_value "$viewer_key" MapHeight)" =~ ^REG_SZ\ 30[0-9]$ ]] || fail "MapHeight is not about 304"
[ "$(reg_value "$viewer_key" ListWidth)" = "REG_SZ 150" ] || fail "ListWidth is not 150"

echo "== 3. stored values are read at start-up and saved back unchanged"
declare -A stored=([OstrelViewTop]=40 [OstrelViewLeft]=60 [OstrelViewHeight]=560 [OstrelViewWidth]=640)
for name in "${!stored[@]}"; do
    "$WINE" reg add "$window_key" /v "$name" /t REG_SZ /d "${stored[$name]}" /f > /dev/null
done
"$WINE" reg add "$viewer_key" /v MapHeight /t REG_SZ /d 200 /f > /dev/null
"$WINE" reg add "$viewer_key" /v ListWidth /t REG_SZ /d 220 /f > /dev/null
run_viewer "$shots/viewer-stored-placement.png" || fail "the viewer did not start and close"
"$WINE" reg query "$window_key" | tr -d '\r'
"$WINE" reg query "$viewer_key" | tr -d '\r'
for name in "${!stored[@]}"; do
    [ "$(reg_value "$window_key" "$name")" = "REG_SZ ${stored[$name]}" ] || fail "$name did not come back as ${stored[$name]}"
done
[ "$(reg_value "$viewer_key" MapHeight)" = "REG_SZ 200" ] || fail "MapHeight did not come back as 200"
[ "$(reg_value "$viewer_key" ListWidth)" = "REG_SZ 220" ] || fail "ListWidth did not come back as 220"
echo "all checks passed"
