#!/usr/bin/env bash
# Provides libwebp and giflib for 64-bit Windows (MinGW-w64), as static
# libraries with headers and pkg-config files, in a cache folder, and prints
# that folder on its last line. Clip export links them into the programs, so
# there are no DLLs to ship.
#
#   tools/windows/build-codecs.sh [PREFIX]
#       (default: ~/.cache/ostrel/codecs-mingw-webp-<version>-gif-<version>)
#
# Both are built from Debian's source packages of the versions installed on
# the host (libwebp-dev, libgif-dev), with Debian's patches, so the Windows
# programs encode with the same code as the native ones: about a minute on 2
# cores. The result is kept and later calls return at once.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)
# shellcheck source=../install-missing.sh
source "$repo/tools/install-missing.sh"
# shellcheck source=debian-source.sh
source "$here/debian-source.sh"

install_missing g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-x86-64-dev \
    binutils-mingw-w64-x86-64 cmake ninja-build libwebp-dev libgif-dev >&2

webp_version=$(dpkg-query -W -f='${Version}' libwebp-dev)
gif_version=$(dpkg-query -W -f='${Version}' libgif-dev)
prefix=${1:-$HOME/.cache/ostrel/codecs-mingw-webp-${webp_version%%-*}-gif-${gif_version%%-*}}
jobs=${JOBS:-$(nproc)}
stamp="$prefix/.ostrel-codecs-ready"
# What identifies a build: the Debian versions (with their patches) and this recipe.
recipe_id=$( { echo "$webp_version $gif_version"; cat "$0" "$here/toolchain-mingw64.cmake"; } | sha256sum | cut -d' ' -f1)

if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$recipe_id" ]; then
    echo "$prefix"
    exit 0
fi

echo "Building libwebp $webp_version and giflib $gif_version for Windows from Debian's source" >&2
work="$prefix.work"
rm -rf "$work" "$prefix"
mkdir -p "$work"

# libwebp's own CMake build: the libraries only (webp, webpdecoder, webpdemux
# and webpmux), none of its programs.
webp_src=$(fetch_debian_source libwebp "$webp_version" "$work/webp")
cmake -S "$webp_src" -B "$work/webp-build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$here/toolchain-mingw64.cmake" -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DBUILD_SHARED_LIBS=OFF -DWEBP_BUILD_LIBWEBPMUX=ON \
    -DWEBP_BUILD_ANIM_UTILS=OFF -DWEBP_BUILD_CWEBP=OFF -DWEBP_BUILD_DWEBP=OFF \
    -DWEBP_BUILD_GIF2WEBP=OFF -DWEBP_BUILD_IMG2WEBP=OFF -DWEBP_BUILD_VWEBP=OFF \
    -DWEBP_BUILD_WEBPINFO=OFF -DWEBP_BUILD_WEBPMUX=OFF -DWEBP_BUILD_EXTRAS=OFF >&2
cmake --build "$work/webp-build" -j"$jobs" >&2
cmake --install "$work/webp-build" >&2

# giflib's Makefile builds a Unix shared library and its utilities: its
# library sources are compiled here directly into a static library.
gif_src=$(fetch_debian_source giflib "$gif_version" "$work/gif")
gif_sources=$(make -s -C "$gif_src" --eval 'print-sources: ; @echo $(SOURCES)' print-sources)
mkdir -p "$work/gif-build" "$prefix/lib" "$prefix/include"
for source in $gif_sources; do
    x86_64-w64-mingw32-gcc-posix -std=gnu99 -O2 -Wall -c "$gif_src/$source" -o "$work/gif-build/${source%.c}.o"
done
rm -f "$prefix/lib/libgif.a"
x86_64-w64-mingw32-ar rcs "$prefix/lib/libgif.a" "$work/gif-build"/*.o
cp "$gif_src/gif_lib.h" "$prefix/include/"

rm -rf "$work"
echo "$recipe_id" > "$stamp"
echo "$prefix"
