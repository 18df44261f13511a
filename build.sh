#!/usr/bin/env bash
# One entry point for a fresh Debian 12 machine: installs what is missing,
# configures and builds, then runs the viewer, the tests, the fuzzer or the
# benchmarks.
#
#   ./build.sh run [FILE]      open FILE (default: the bundled example) in the viewer
#   ./build.sh test            build everything and run every test through CTest
#   ./build.sh fuzz [SECONDS]  build the loader fuzzer with sanitizers and run it
#   ./build.sh bench           build and run the benchmarks
#   ./build.sh windows         cross-build for Windows, run the tests under wine,
#                              pack OstrelView-<version>-win64.zip
set -euo pipefail
cd "$(dirname "$0")"
source tools/install-missing.sh

BUILD_DIR=${BUILD_DIR:-build}
JOBS=${JOBS:-$(nproc)}

PACKAGES=(cmake make g++ pkg-config qt6-base-dev qt6-qpa-plugins libgl-dev
          libgtest-dev libgmock-dev fonts-ipafont-gothic fonts-dejavu-core)
FUZZ_PACKAGES=(clang-14 libclang-rt-14-dev)
RUN_PACKAGES=(xvfb xauth)
WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-x86-64-dev
                  binutils-mingw-w64-x86-64 cmake ninja-build qt6-base-dev qt6-base-dev-tools
                  wine64 wine googletest fonts-ipafont-gothic fonts-dejavu-core xvfb xauth x11-utils openbox
                  imagemagick)

configure_and_build() {
    cmake -S . -B "$BUILD_DIR" "$@"
    cmake --build "$BUILD_DIR" -j"$JOBS"
}

command=${1:-run}
shift || true
case "$command" in
run)
    install_missing "${PACKAGES[@]}"
    configure_and_build
    file=${1:-examples/default.ostrelScript}
    viewer="$BUILD_DIR/viewer/ostrel-view"
    if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
        echo "No display found: running the viewer under a virtual X server (xvfb-run)."
        install_missing "${RUN_PACKAGES[@]}"
        exec xvfb-run -a -s "-screen 0 1280x1024x24" "$viewer" "$file"
    fi
    exec "$viewer" "$file"
    ;;
test)
    install_missing "${PACKAGES[@]}"
    configure_and_build
    QT_QPA_PLATFORM=offscreen ctest --test-dir "$BUILD_DIR" --output-on-failure -j"$JOBS"
    ;;
fuzz)
    install_missing "${PACKAGES[@]}" "${FUZZ_PACKAGES[@]}"
    BUILD_DIR=build-fuzz
    cmake -S . -B "$BUILD_DIR" -DOSTREL_FUZZ=ON -DOSTREL_BUILD_VIEWER=OFF -DOSTREL_BUILD_TESTS=OFF \
        -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_BUILD_TYPE=RelWithDebInfo
    # Only the fuzzers and what they link: the tools need no sanitizer build.
    cmake --build "$BUILD_DIR" -j"$JOBS" --target fuzz_loader fuzz_replay
    seconds=${1:-600}
    mkdir -p "$BUILD_DIR/corpus"
    exec "$BUILD_DIR/fuzz/fuzz_loader" -max_total_time="$seconds" -max_len=65536 -timeout=10 \
        -dict=fuzz/script.dict "$BUILD_DIR/corpus" fuzz/corpus
    ;;
bench)
    install_missing "${PACKAGES[@]}"
    BUILD_DIR=build-release
    configure_and_build -DCMAKE_BUILD_TYPE=Release -DOSTREL_BUILD_VIEWER=OFF
    for b in "$BUILD_DIR"/bench/bench_*; do
        if [ -f "$b" ] && [ -x "$b" ]; then QT_QPA_PLATFORM=offscreen "$b"; fi
    done
    ;;
windows)
    install_missing "${WINDOWS_PACKAGES[@]}"
    exec tools/windows/build-windows.sh
    ;;
*)
    sed -n '2,12p' "$0"
    exit 64
    ;;
esac
