#!/bin/sh
# Configures Debian's qt6-base 6.4.2 source for 64-bit Windows with MinGW-w64
# (POSIX threads): qtbase without ICU, OpenGL, D-Bus, networking or SQL, with
# Core, Gui, Widgets, Test and the windows/offscreen/minimal platform plugins.
#   usage: configure-qtbase.sh SOURCE_DIR PREFIX    (run it in an empty build folder)
# The host moc/uic/rcc come from Debian's qt6-base-dev-tools (-qt-host-path /usr),
# so they must be the same Qt version. Apply qwindows-directwrite-needs-direct2d.patch
# to the source first: without Direct2D the Windows plugin would otherwise link a
# DirectWrite font database that is not built.
set -e
src=$1; prefix=$2
[ -n "$src" ] && [ -n "$prefix" ] || { echo "usage: $0 SOURCE_DIR PREFIX" >&2; exit 64; }
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$prefix" && cp "$here/toolchain-mingw64.cmake" "$prefix/"
exec "$src/configure" \
  -prefix "$prefix" \
  -release -shared -xplatform win32-g++ \
  -qt-host-path /usr \
  -nomake tests -nomake examples \
  -no-icu -no-opengl -no-dbus -no-direct2d -no-openssl -no-pkg-config \
  -no-feature-sql -no-feature-network -no-feature-concurrent -no-feature-xml -no-feature-printsupport \
  -no-feature-tabletevent -no-feature-vulkan -no-feature-androiddeployqt -no-feature-qmake \
  -qt-zlib -qt-libpng -qt-libjpeg -qt-pcre -qt-harfbuzz -qt-freetype -qt-doubleconversion \
  -- -DCMAKE_TOOLCHAIN_FILE="$prefix/toolchain-mingw64.cmake" \
     -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
