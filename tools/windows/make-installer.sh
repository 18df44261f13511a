#!/usr/bin/env bash
# Builds the installer from a folder that holds the programs as the zip
# does: lists every file of the folder for the installer and, the same files
# and their folders deepest first, for the uninstaller, then runs makensis.
#   usage: make-installer.sh FOLDER VERSION SETUP_EXE
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
folder=$(realpath "$1") version=$2
setup=$(realpath -m "$3")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$folder"
# NSIS would read a '$' in a name as a variable, and a quote would end it.
if find . | grep -q '[$"`]'; then
    echo "a file name in $folder holds a character NSIS cannot take" >&2
    exit 1
fi
# $INSTDIR joined with a path relative to the folder, in Windows form.
installed_path() {
    local p=${1#.}
    p=${p#/}
    if [ -z "$p" ]; then echo '$INSTDIR'; else echo "\$INSTDIR\\${p//\//\\}"; fi
}

while read -r dir; do
    echo "SetOutPath \"$(installed_path "$dir")\""
    find "$dir" -maxdepth 1 -type f | sort | while read -r file; do
        echo "File \"$folder/${file#./}\""
    done
done < <(find . -type d | sort) > "$work/files.nsh"
{
    find . -type f | sort | while read -r file; do
        echo "Delete \"$(installed_path "$file")\""
    done
    find . -mindepth 1 -type d | sort -r | while read -r dir; do
        echo "RMDir \"$(installed_path "$dir")\""
    done
} > "$work/unfiles.nsh"

makensis -V2 -WX -INPUTCHARSET UTF8 -DVERSION="$version" -DICON="$here/../../resources/images/view.ico" \
    -DOUTFILE="$setup" -DFILES_NSH="$work/files.nsh" -DUNFILES_NSH="$work/unfiles.nsh" \
    "$here/installer.nsi"
