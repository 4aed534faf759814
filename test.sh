#!/usr/bin/env bash
# Install what is missing, build, and run every test: once in a normal build
# (and its Debian package checked), once under AddressSanitizer and
# UndefinedBehaviorSanitizer, once under ThreadSanitizer (the GUI with the
# engine too), then the fuzz targets briefly.
cd "$(dirname "$0")"
source scripts/common.sh
krv_install_missing

export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

echo "== build and test (build/)"
krv_build build
ctest --test-dir build --output-on-failure -j"$jobs"

echo "== the Debian package, built from build/ and checked"
scripts/package-check.sh build

echo "== build and test under ASan and UBSan (build-asan/)"
krv_build build-asan -DCMAKE_BUILD_TYPE=Debug -DKRV_SANITIZE=ON -DKRV_BENCH=OFF
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build-asan --output-on-failure -j"$jobs"

echo "== tests under ThreadSanitizer (build-tsan/): the engine, the simulated writer and the GUI run threads"
krv_build build-tsan -DCMAKE_BUILD_TYPE=Debug -DKRV_GUI=ON -DKRV_BENCH=OFF \
    -DCMAKE_CXX_FLAGS="-fsanitize=thread -O1" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=thread"
TSAN_OPTIONS="halt_on_error=1 suppressions=$PWD/scripts/tsan-qt.supp" \
    ctest --test-dir build-tsan --output-on-failure -j"$jobs"

if [ -x scripts/fuzz.sh ]; then
    echo "== fuzz targets, briefly"
    scripts/fuzz.sh 5
fi
