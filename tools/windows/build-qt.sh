#!/usr/bin/env bash
# Provides Qt 6 qtbase for 64-bit Windows (MinGW-w64, POSIX threads) in a
# cache folder, and prints that folder on its last line.
#
#   tools/windows/build-qt.sh [PREFIX]   (default: ~/.cache/ostrel/qt6-mingw-6.4.2)
#   OSTREL_QT_FROM_SOURCE=1 builds from source even when a prebuilt copy matches.
#
# A prebuilt copy is used when one lies in the folder shared/windows beside the
# repository, with a matching checksum, the same Qt version and the same
# configure line as configure-qtbase.sh here. Otherwise qtbase is built from
# Debian's qt6-base source package: about 15-20 minutes on 2 cores. Either way
# the result is kept and later calls return at once.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)
# shellcheck source=../install-missing.sh
source "$repo/tools/install-missing.sh"
# shellcheck source=debian-source.sh
source "$here/debian-source.sh"

QT_VERSION=6.4.2
prefix=${1:-${OSTREL_QT_MINGW:-$HOME/.cache/ostrel/qt6-mingw-$QT_VERSION}}
jobs=${JOBS:-$(nproc)}
stamp="$prefix/.ostrel-qt-ready"
tarball_name="qt6-mingw-$QT_VERSION-x86_64.tar.xz"
prebuilt_dir="$(dirname "$repo")/shared/windows"

install_missing g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-x86-64-dev \
    binutils-mingw-w64-x86-64 cmake ninja-build qt6-base-dev qt6-base-dev-tools xz-utils

host_version=$(dpkg-query -W -f='${Version}' qt6-base-dev-tools)
case "$host_version" in
"$QT_VERSION"+*|"$QT_VERSION"-*) ;;
*) echo "The host Qt tools are $host_version; the Windows Qt must be the same version, $QT_VERSION." >&2; exit 1 ;;
esac

# What identifies a build: the Qt version and the configure options.
configure_line() { sed -n '/exec "$src\/configure"/,$p' "$1"; }
recipe_id=$( { echo "$QT_VERSION"; configure_line "$here/configure-qtbase.sh"; } | sha256sum | cut -d' ' -f1)

if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$recipe_id" ]; then
    echo "$prefix"
    exit 0
fi

prebuilt_matches() {
    [ -f "$prebuilt_dir/$tarball_name" ] && [ -f "$prebuilt_dir/$tarball_name.sha256" ] \
        && [ -f "$prebuilt_dir/configure-qtbase.sh" ] || return 1
    [ "$(configure_line "$prebuilt_dir/configure-qtbase.sh")" = "$(configure_line "$here/configure-qtbase.sh")" ] || {
        echo "The prebuilt Qt was configured differently; building from source." >&2; return 1; }
    local expected actual
    expected=$(cut -d' ' -f1 "$prebuilt_dir/$tarball_name.sha256")
    actual=$(sha256sum "$prebuilt_dir/$tarball_name" | cut -d' ' -f1)
    [ "$expected" = "$actual" ] || { echo "The prebuilt Qt fails its checksum; building from source." >&2; return 1; }
}

unpack_prebuilt() {
    echo "Unpacking the prebuilt Qt into $prefix" >&2
    local staging="$prefix.unpack"
    rm -rf "$staging" "$prefix" && mkdir -p "$staging"
    tar -xJf "$prebuilt_dir/$tarball_name" -C "$staging"
    mv "$staging/qt6-mingw" "$prefix" && rmdir "$staging"
}

build_from_source() {
    echo "Building Qt $QT_VERSION for Windows from Debian's source (about 15-20 minutes on 2 cores)" >&2
    install_missing patch
    local work="$prefix.work"
    rm -rf "$work" "$prefix"
    local src
    src=$(fetch_debian_source qt6-base "$host_version" "$work")
    patch -d "$src" -p1 < "$here/qwindows-directwrite-needs-direct2d.patch" >&2
    mkdir -p "$work/build"
    (cd "$work/build" && "$here/configure-qtbase.sh" "$src" "$prefix") >&2
    cmake --build "$work/build" -j"$jobs" >&2
    cmake --install "$work/build" >&2
    rm -rf "$work"
}

if [ "${OSTREL_QT_FROM_SOURCE:-0}" != 1 ] && prebuilt_matches; then
    unpack_prebuilt
else
    build_from_source
fi
echo "$recipe_id" > "$stamp"
echo "$prefix"
