#!/usr/bin/env bash
# The installer under wine, in a fresh prefix of its own:
#  1. a silent install puts the programs under %LOCALAPPDATA%\Programs, the
#     association and the uninstall entry under HKCU and a Start-menu shortcut;
#  2. the installed ostrel-inspect prints what the native one prints, and
#     writes the same clip, byte for byte (same libwebp, same frames);
#  3. a silent uninstall removes all of it and keeps the viewer's settings;
#  4. an extension that another program took over since is left to it.
# Wine merges no HKCU\Software\Classes into HKCR, so the keys are read from
# HKCU; and it runs everything as an administrator, so this cannot show that
# the installer needs no rights: it can only show that it writes nowhere else.
#   usage: wine-installer-check.sh SETUP_EXE NATIVE_INSPECT SCRIPT
set -euo pipefail
setup=$(realpath "$1") native_inspect=$(realpath "$2") script=$(realpath "$3")
WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver

fail() { echo "FAIL: $*" >&2; exit 1; }

work=$(mktemp -d)
export WINEPREFIX=$work/prefix WINEDEBUG=-all
# No menu entries or file types on the host's desktop, no Mono or Gecko.
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
trap '"$WINESERVER" -k 2>/dev/null || true; rm -rf "$work"' EXIT
"$WINE" wineboot -i > /dev/null 2>&1
"$WINESERVER" -w

classes='HKCU\Software\Classes'
extension="$classes\\.ostrelScript"
progid=OstrelView.ostrelScript
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\OstrelView'
settings_key='HKCU\Software\Brimwold\Torvex\Window'

# The data of value NAME of KEY ("" for the default value), or nothing.
# wine's reg sometimes answers nothing while the machine is busy: a value
# that comes back empty is asked for again before it counts as missing.
reg_data() {
    local key=$1 name=$2 select=(/v "$2") value tries
    [ -z "$name" ] && select=(/ve) name='(Default)'
    for tries in 1 2 3; do
        value=$("$WINE" reg query "$key" "${select[@]}" 2>/dev/null | tr -d '\r' |
            sed -n "s/^ *$name \{2,\}REG_[A-Z_]* \{2,\}//p")
        [ -n "$value" ] && break
        sleep 1
    done
    echo "$value"
}
key_exists() { "$WINE" reg query "$1" > /dev/null 2>&1; }
install_silently() { "$WINE" "$setup" /S < /dev/null; "$WINESERVER" -w; }
uninstall_silently() {
    # The uninstaller copies itself to TEMP, starts the copy and returns.
    "$WINE" "$folder_windows\\uninstall.exe" /S < /dev/null
    "$WINESERVER" -w
}

localappdata=$("$WINE" cmd /c echo %LOCALAPPDATA% < /dev/null | tr -d '\r')
appdata=$("$WINE" cmd /c echo %APPDATA% < /dev/null | tr -d '\r')
folder_windows="$localappdata\\Programs\\OstrelView"
folder=$("$WINE" winepath -u "$folder_windows" 2>/dev/null | tr -d '\r')
shortcut=$("$WINE" winepath -u "$appdata\\Microsoft\\Windows\\Start Menu\\Programs" 2>/dev/null | tr -d '\r')/"OstrelScript ビューアー.lnk"

echo "== 1. silent install"
install_silently
[ -f "$folder/OstrelView.exe" ] || fail "no OstrelView.exe in $folder"
[ -f "$folder/platforms/qwindows.dll" ] || fail "no platform plugin in $folder"
[ "$(reg_data "$extension" "")" = "$progid" ] || fail ".ostrelScript does not name $progid"
key_exists "$extension\\OpenWithProgids" && [ -n "$("$WINE" reg query "$extension\\OpenWithProgids" /v "$progid" 2>/dev/null)" ] \
    || fail "$progid is not in OpenWithProgids"
[ -n "$(reg_data "$classes\\$progid" "")" ] || fail "$progid has no description"
[ "$(reg_data "$classes\\$progid\\DefaultIcon" "")" = "$folder_windows\\OstrelView.exe,0" ] || fail "DefaultIcon"
command=$(reg_data "$classes\\$progid\\shell\\open\\command" "")
[ "$command" = "\"$folder_windows\\OstrelView.exe\" \"%1\"" ] || fail "open command is $command"
for name in DisplayName DisplayVersion Publisher DisplayIcon EstimatedSize UninstallString QuietUninstallString; do
    [ -n "$(reg_data "$uninstall_key" "$name")" ] || fail "the uninstall entry has no $name"
done
[ "$(reg_data "$uninstall_key" DisplayVersion)" = 1.0.0.2 ] || fail "DisplayVersion"
[ "$(reg_data "$uninstall_key" QuietUninstallString)" = "\"$folder_windows\\uninstall.exe\" /S" ] \
    || fail "QuietUninstallString"
[ -f "$shortcut" ] || fail "no Start-menu shortcut $shortcut"

echo "== 2. the installed ostrel-inspect against the native one"
# Same relative path for both, since the JSON repeats it.
inspect_args=(--json --model --timeline default.ostrelScript --seek 40 --seek 91 --reset)
mkdir -p "$work/examples" && cp "$script" "$work/examples/default.ostrelScript"
(cd "$work/examples" && "$native_inspect" "${inspect_args[@]}") > "$work/native.json"
(cd "$work/examples" && "$WINE" "$folder_windows\\ostrel-inspect.exe" "${inspect_args[@]}" < /dev/null) \
    | tr -d '\r' > "$work/windows.json"
[ -s "$work/native.json" ] || fail "the native ostrel-inspect printed nothing"
cmp -s "$work/native.json" "$work/windows.json" || {
    diff <(tr ',' '\n' < "$work/native.json") <(tr ',' '\n' < "$work/windows.json") | head -20
    fail "the installed ostrel-inspect printed other JSON than the native one"
}
# A clip made after a seek past its start, so its first frame is reached
# backwards. The offscreen platform under wine draws the labels with the
# gothic face the native build finds through fontconfig.
clip_args=(default.ostrelScript --seek 60 --clip 10:91:clip.webp)
(cd "$work/examples" && "$native_inspect" "${clip_args[@]}" > /dev/null && mv clip.webp native.webp)
(cd "$work/examples" && WINEQT_QPA_FONTDIR='Z:\usr\share\fonts\opentype\ipafont-gothic' \
    "$WINE" "$folder_windows\\ostrel-inspect.exe" "${clip_args[@]}" < /dev/null > /dev/null)
[ -s "$work/examples/native.webp" ] || fail "the native ostrel-inspect wrote no clip"
[ -s "$work/examples/clip.webp" ] || fail "the installed ostrel-inspect wrote no clip"
cmp "$work/examples/native.webp" "$work/examples/clip.webp" \
    || fail "the installed ostrel-inspect wrote another clip than the native one"

echo "== 3. silent uninstall keeps the settings"
"$WINE" reg add "$settings_key" /v OstrelViewTop /t REG_SZ /d 40 /f > /dev/null
uninstall_silently
[ ! -e "$folder" ] || fail "$folder is still there: $(ls -R "$folder")"
[ ! -e "$shortcut" ] || fail "the Start-menu shortcut is still there"
key_exists "$extension" && fail ".ostrelScript is still associated"
key_exists "$classes\\$progid" && fail "$progid is still there"
key_exists "$uninstall_key" && fail "the uninstall entry is still there"
[ "$(reg_data "$settings_key" OstrelViewTop)" = 40 ] || fail "the uninstaller removed the viewer's settings"

echo "== 4. an extension given to another program since stays with it"
install_silently
"$WINE" reg add "$extension" /ve /d Other.Viewer /f > /dev/null
uninstall_silently
[ "$(reg_data "$extension" "")" = Other.Viewer ] || fail "the uninstaller took .ostrelScript from Other.Viewer"
key_exists "$classes\\$progid" && fail "$progid is still there"
echo "installer checks passed"
