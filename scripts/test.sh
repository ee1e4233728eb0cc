#!/usr/bin/env bash
# Installs what is missing, builds and runs every test: once in a normal build, then once more
# under AddressSanitizer and UndefinedBehaviorSanitizer (skip that with --no-sanitizers).
set -euo pipefail
cd "$(dirname "$0")/.."

sanitizers=1
for arg in "$@"; do
    case "$arg" in
        --no-sanitizers) sanitizers=0 ;;
        *) echo "usage: scripts/test.sh [--no-sanitizers]" >&2; exit 2 ;;
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
