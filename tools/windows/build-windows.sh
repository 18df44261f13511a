#!/usr/bin/env bash
# Cross-builds the project for 64-bit Windows, runs its tests under wine
# through CTest, packs OstrelView-<version>-win64.zip and builds the installer
# OstrelView-<version>-setup.exe from the same files. Called by
# ./build.sh windows, which installs the Debian packages first.
set -euo pipefail
repo=$(cd "$(dirname "$0")/../.." && pwd)
cd "$repo"

BUILD_DIR=${BUILD_DIR:-build-win}
JOBS=${JOBS:-$(nproc)}
WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver

qt=$(tools/windows/build-qt.sh | tail -n 1)
codecs=$(tools/windows/build-codecs.sh | tail -n 1)

cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" \
    -DQT_CHAINLOAD_TOOLCHAIN_FILE="$repo/tools/windows/toolchain-mingw64.cmake" \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$WINE" \
    -DOSTREL_CODECS_PREFIX="$codecs" -DOSTREL_CLIP=ON
cmake --build "$BUILD_DIR" -j"$JOBS"

# The tests' own wine prefix, made once before the tests run in parallel.
export WINEPREFIX="$repo/$BUILD_DIR/wineprefix" WINEDEBUG=-all
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Creating the wine prefix for the tests"
    "$WINE" wineboot -i
    "$WINESERVER" -w
fi
ctest --test-dir "$BUILD_DIR" --output-on-failure -j"$JOBS"
"$WINESERVER" -w

(cd "$BUILD_DIR" && cpack -G ZIP)
package=$(cd "$BUILD_DIR" && ls OstrelView-*-win64.zip)

# The unpacked zip on its own: no DLL path beyond its folder.
unpacked="$BUILD_DIR/package-check"
rm -rf "$unpacked" && mkdir -p "$unpacked"
(cd "$unpacked" && cmake -E tar xf "../$package")
folder="$unpacked/${package%.zip}"
timeout 300 env -u WINEPATH -u WINEQT_QPA_PLATFORM tools/windows/wine-viewer-check.sh "$folder/OstrelView.exe" \
    "$folder/ostrel-inspect.exe" "$folder/examples/default.ostrelScript" "$BUILD_DIR/screenshots/package"

# The installer holds what the zip holds; its check compares the installed
# ostrel-inspect with a native one, from the developer's build when there is
# one, else built here without the tests.
version=${package#OstrelView-}
version=${version%-win64.zip}
setup="$BUILD_DIR/OstrelView-$version-setup.exe"
staged="$BUILD_DIR/installer-files"
rm -rf "$staged" && mkdir -p "$staged"
(cd "$staged" && cmake -E tar xf "../$package")
tools/windows/make-installer.sh "$staged/${package%.zip}" "$version" "$setup"
native_dir=build
[ -f "$native_dir/CMakeCache.txt" ] || {
    native_dir="$BUILD_DIR/native"
    cmake -S . -B "$native_dir" -DOSTREL_BUILD_VIEWER=OFF -DOSTREL_BUILD_TESTS=OFF
}
cmake --build "$native_dir" -j"$JOBS" --target ostrel-inspect
timeout 300 env -u WINEPATH -u WINEQT_QPA_PLATFORM -u WINEPREFIX tools/windows/wine-installer-check.sh \
    "$setup" "$native_dir/tools/headless/ostrel-inspect" examples/default.ostrelScript
echo "Windows package: $BUILD_DIR/$package"
echo "Windows installer: $setup"
