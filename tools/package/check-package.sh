#!/usr/bin/env bash
# The Debian package as a desktop meets it, without installing it: unpacked
# into a scratch tree whose MIME and desktop databases are updated as dpkg's
# triggers would, with the tree put first in XDG_DATA_DIRS.
#   usage: check-package.sh DEB
set -euo pipefail
deb=$(realpath "$1")
repo=$(cd "$(dirname "$0")/../.." && pwd)
app_id=com.brimwold.OstrelView
mime_type=application/x-ostrelscript

fail() { echo "FAIL: $*" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
root=$work/root
dpkg-deb -x "$deb" "$root"
share=$root/usr/share

# Control data: Depends comes from the binaries, and everything lives under /usr.
depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6core6 libqt6gui6 libqt6widgets6; do
    grep -q "$library" <<<"$depends" || fail "Depends lacks $library: $depends"
done
strays=$(dpkg-deb -c "$deb" | awk '{ print $6 }' | grep -v -e '^\./\(usr/\)\?$' -e '^\./usr/\(bin\|share\)/' || true)
[ -z "$strays" ] || fail "files outside /usr/bin and /usr/share: $strays"
dpkg-deb -c "$deb" | grep -q '/usr/local' && fail "files in /usr/local"
gzip -t "$share/doc/ostrel-viewer/changelog.gz" || fail "the changelog is not gzip"
grep -q '^Format: ' "$share/doc/ostrel-viewer/copyright" || fail "no machine-readable copyright file"
for size in 16 22 24 32 48 64 128 256; do
    icon=$share/icons/hicolor/${size}x$size/apps/$app_id.png
    [ "$(identify -format '%wx%h' "$icon")" = "${size}x$size" ] || fail "no ${size} px icon"
done

# The validators, and what the entry launches.
desktop=$share/applications/$app_id.desktop
desktop-file-validate "$desktop"
appstreamcli validate-tree --no-net "$root"
grep -qx 'Exec=ostrel-view %f' "$desktop" || fail "the entry does not pass the file to ostrel-view"
# Desktops match the running window to its entry by this id.
strings -e l "$root/usr/bin/ostrel-view" | grep -qx "$app_id" || fail "the viewer does not name its desktop entry"
"$root/usr/bin/ostrel-view" --version | grep -q '1\.0\.0\.2' || fail "ostrel-view --version"

# A desktop of no known kind, reading only this tree and the system's.
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_DATA_HOME=$work/home/.local/share
export XDG_DATA_DIRS=$share:/usr/share XDG_CONFIG_DIRS=$work/etc-xdg
unset XDG_CURRENT_DESKTOP DESKTOP_SESSION KDE_FULL_SESSION GNOME_DESKTOP_SESSION_ID
mkdir -p "$HOME"
update-mime-database "$share/mime"
update-desktop-database "$share/applications"

cp "$repo/examples/default.ostrelScript" "$work/x.ostrelScript"
# A script that lost its extension is told by its first header key.
cp "$repo/examples/default.ostrelScript" "$work/tournament"
printf 'Version: 00.00.02\nno header key here\n' > "$work/notes"
expect_type() {
    local got
    got=$(xdg-mime query filetype "$1")
    [ "$got" = "$2" ] || fail "xdg-mime names $got for $(basename "$1"), not $2"
}
expect_type "$work/x.ostrelScript" "$mime_type"
expect_type "$work/tournament" "$mime_type"
expect_type "$work/notes" text/plain
default=$(xdg-mime query default "$mime_type")
[ "$default" = "$app_id.desktop" ] || fail "xdg-mime names '$default' to open $mime_type"
echo "Package check passed: $(basename "$deb")"
