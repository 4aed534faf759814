#!/usr/bin/env bash
# Builds the libFuzzer targets of the file readers into fuzz-build/ with
# clang and runs each for SECONDS seconds (default 60). New inputs go to
# fuzz-build/corpus/<target>; the seeds in fuzz/corpus are only read.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
jobs=$(nproc)

CC=clang CXX=clang++ cmake -S . -B fuzz-build -DKRV_FUZZ=ON -DKRV_GUI=OFF >/dev/null
cmake --build fuzz-build -j"$jobs" --target fuzz_hex fuzz_raw fuzz_obj fuzz_cfg fuzz_qtp fuzz_serialset fuzz_firmware

for target in hex raw obj cfg qtp serialset firmware; do
    corpus=fuzz-build/corpus/$target
    mkdir -p "$corpus"
    log=fuzz-build/fuzz_$target.log
    echo "== fuzz_$target for ${seconds}s"
    if ! ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
        "fuzz-build/fuzz/fuzz_$target" -max_total_time="$seconds" -max_len=40000 \
        -artifact_prefix="fuzz-build/crash-$target-" "$corpus" "fuzz/corpus/$target" >"$log" 2>&1; then
        tail -n 40 "$log"
        echo "fuzz_$target found a failure; the input is in fuzz-build/crash-$target-*"
        exit 1
    fi
    grep -E "^Done" "$log" || true
done
