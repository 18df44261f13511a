#!/usr/bin/env bash
# One entry point for a fresh Debian 12 machine: installs what is missing,
# configures and builds, then runs the viewer, the tests, the fuzzer or the
# benchmarks.
#
#   ./build.sh run [FILE]      build the viewer and open FILE in it (relative to
#                              the current folder; default: the bundled example)
#   ./build.sh test            build everything and run every test through CTest
#   ./build.sh sanitize        the same under AddressSanitizer and UBSan (build-asan)
#   ./build.sh fuzz [SECONDS]  build both fuzzers with sanitizers, run each SECONDS
#   ./build.sh bench           build and run the benchmarks
#   ./build.sh screenshot      remake docs/viewer.png under a virtual X server
#   ./build.sh package         make the Debian package ostrel-viewer_<version>_amd64.deb
#                              (build-package) and check it unpacked
#   ./build.sh package-check   install that package with apt-get into a new
#                              Debian 12 system (debootstrap) and run it there
#   ./build.sh windows         cross-build for Windows, run the tests under wine,
#                              pack OstrelView-<version>-win64.zip and the installer
set -euo pipefail
# A FILE given to run is taken relative to where the command was typed.
caller_dir=$PWD
cd "$(dirname "$0")"
source tools/install-missing.sh

BUILD_DIR=${BUILD_DIR:-build}
JOBS=${JOBS:-$(nproc)}

PACKAGES=(cmake make g++ pkg-config qt6-base-dev qt6-qpa-plugins qt6-translations-l10n libgl-dev
          libgtest-dev libgmock-dev fonts-ipafont-gothic fonts-dejavu-core
          libwebp-dev libgif-dev)
FUZZ_PACKAGES=(clang-14 libclang-rt-14-dev)
RUN_PACKAGES=(xvfb xauth)
SHOT_PACKAGES=(xvfb openbox xdotool x11-utils imagemagick)
# The window tests that need a real display run on Xvfb with openbox.
TEST_PACKAGES=(xvfb openbox x11-utils python3)

# dpkg-shlibdeps fills in Depends; the rest checks the unpacked package.
PACKAGE_PACKAGES=(dpkg-dev desktop-file-utils appstream shared-mime-info xdg-utils
                  libfile-mimeinfo-perl imagemagick)

WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-x86-64-dev
                  binutils-mingw-w64-x86-64 cmake ninja-build qt6-base-dev qt6-base-dev-tools
                  wine64 wine googletest fonts-ipafont-gothic fonts-dejavu-core xvfb xauth x11-utils openbox
                  imagemagick nsis qt6-translations-l10n pkg-config libwebp-dev libgif-dev)

configure_and_build() {
    cmake -S . -B "$BUILD_DIR" "$@"
    cmake --build "$BUILD_DIR" -j"$JOBS"
}

# Configures, then builds only the one target.
configure_and_build_target() {
    cmake -S . -B "$BUILD_DIR"
    cmake --build "$BUILD_DIR" -j"$JOBS" --target "$1"
}

command=${1:-run}
shift || true
case "$command" in
run)
    install_missing "${PACKAGES[@]}"
    configure_and_build_target ostrel-view
    if [ $# -gt 0 ]; then
        file=$1
        case "$file" in /*) ;; *) file="$caller_dir/$file" ;; esac
    else
        file=examples/default.ostrelScript
    fi
    viewer="$BUILD_DIR/viewer/ostrel-view"
    if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
        echo "No display found: running the viewer under a virtual X server (xvfb-run)."
        install_missing "${RUN_PACKAGES[@]}"
        exec xvfb-run -a -s "-screen 0 1280x1024x24" "$viewer" "$file"
    fi
    exec "$viewer" "$file"
    ;;
test)
    install_missing "${PACKAGES[@]}" "${TEST_PACKAGES[@]}"
    configure_and_build
    QT_QPA_PLATFORM=offscreen ctest --test-dir "$BUILD_DIR" --output-on-failure -j"$JOBS"
    ;;
sanitize)
    install_missing "${PACKAGES[@]}" "${TEST_PACKAGES[@]}"
    BUILD_DIR=build-asan
    configure_and_build -DOSTREL_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
    export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp
    QT_QPA_PLATFORM=offscreen ctest --test-dir "$BUILD_DIR" --output-on-failure -j"$JOBS"
    ;;
fuzz)
    install_missing "${PACKAGES[@]}" "${FUZZ_PACKAGES[@]}"
    BUILD_DIR=build-fuzz
    cmake -S . -B "$BUILD_DIR" -DOSTREL_FUZZ=ON -DOSTREL_BUILD_VIEWER=OFF -DOSTREL_BUILD_TESTS=OFF \
        -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_BUILD_TYPE=RelWithDebInfo
    # Only the fuzzers and what they link: the tools need no sanitizer build.
    cmake --build "$BUILD_DIR" -j"$JOBS" --target fuzz_loader fuzz_replay
    seconds=${1:-300}
    for target in fuzz_loader fuzz_replay; do
        mkdir -p "$BUILD_DIR/corpus-$target"
        "$BUILD_DIR/fuzz/$target" -max_total_time="$seconds" -max_len=65536 -timeout=10 \
            -dict=fuzz/script.dict "$BUILD_DIR/corpus-$target" fuzz/corpus
    done
    ;;
bench)
    install_missing "${PACKAGES[@]}"
    BUILD_DIR=build-release
    benches=(bench_replay bench_seek bench_window bench_strip bench_views bench_live bench_clip)
    cmake -S . -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=Release
    cmake --build "$BUILD_DIR" -j"$JOBS" --target "${benches[@]}"
    for b in "${benches[@]}"; do
        QT_QPA_PLATFORM=offscreen "$BUILD_DIR/bench/$b"
    done
    ;;
screenshot)
    install_missing "${PACKAGES[@]}" "${SHOT_PACKAGES[@]}"
    cmake -S . -B "$BUILD_DIR"
    cmake --build "$BUILD_DIR" -j"$JOBS" --target ostrel-view
    tools/screenshot.sh "$BUILD_DIR" docs/viewer.png
    ;;
package)
    install_missing "${PACKAGES[@]}" "${PACKAGE_PACKAGES[@]}"
    BUILD_DIR=build-package
    configure_and_build -DCMAKE_BUILD_TYPE=Release -DOSTREL_BUILD_TESTS=OFF
    rm -f "$BUILD_DIR"/*.deb
    (cd "$BUILD_DIR" && cpack -G DEB)
    tools/package/check-package.sh "$BUILD_DIR"/ostrel-viewer_*_amd64.deb
    ;;
package-check)
    # The package installed by apt-get into a brand-new Debian 12 system: too
    # slow for CI the first time (it makes that system), so a developer's.
    [ -f build-package/ostrel-viewer_*_amd64.deb ] || "$0" package
    install_missing debootstrap
    tools/package/check-install-in-chroot.sh build-package/ostrel-viewer_*_amd64.deb
    ;;
windows)
    install_missing "${WINDOWS_PACKAGES[@]}"
    exec tools/windows/build-windows.sh
    ;;
*)
    sed -n '2,16p' "$0"
    exit 64
    ;;
esac
