#!/usr/bin/env bash
# Installs what is missing, builds and runs every test: once in a normal build, then once more
# under AddressSanitizer and UndefinedBehaviorSanitizer (skip that with --no-sanitizers), then
# runs each fuzz target for 30 s with Clang's libFuzzer (skip that with --no-fuzzing).
set -euo pipefail
cd "$(dirname "$0")/.."

sanitizers=1
fuzzing=1
for arg in "$@"; do
    case "$arg" in
        --no-sanitizers) sanitizers=0 ;;
        --no-fuzzing) fuzzing=0 ;;
        *) echo "usage: scripts/test.sh [--no-sanitizers] [--no-fuzzing]" >&2; exit 2 ;;
    esac
done

scripts/install-deps.sh
jobs=$(nproc 2>/dev/null || echo 2)

echo "== Normal build =="
scripts/build.sh build
ctest --test-dir build --output-on-failure --parallel "$jobs"

if [[ $sanitizers -eq 1 ]]; then
    echo "== AddressSanitizer + UndefinedBehaviorSanitizer build =="
    scripts/build.sh build-asan -DMV100_SANITIZE=ON -DMV100_BUILD_BENCH=OFF
    export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1"
    export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"
    export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
    ctest --test-dir build-asan --output-on-failure --parallel "$jobs"
fi

if [[ $fuzzing -eq 1 ]]; then
    echo "== Fuzzing (30 s per target) =="
    scripts/fuzz.sh 30
fi
