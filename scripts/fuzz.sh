#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with Clang into build-fuzz/ and runs each for the given
# seconds (default 30) on a copy of its seed corpus: scripts/fuzz.sh [seconds]
# Prints per target the executions, executions per second, coverage and findings; exits non-zero
# when a target found something (its inputs are kept in build-fuzz/fuzz-run/<target>/findings/).
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-30}
if [[ $# -gt 1 || ! "$seconds" =~ ^[1-9][0-9]*$ ]]; then
    echo "usage: scripts/fuzz.sh [seconds]" >&2
    exit 2
fi
targets=(fuzz_configfile fuzz_memoryimage fuzz_transfer)

# Clang with its libFuzzer and sanitizer runtimes (libclang-rt), and llvm-symbolizer for readable
# reports; Debian 12 ships them for Clang 14.
scripts/install-deps.sh clang libclang-rt-14-dev llvm-14
probe_dir=$(mktemp -d)
trap 'rm -rf "$probe_dir"' EXIT
printf '#include <cstddef>\n#include <cstdint>\nextern "C" int LLVMFuzzerTestOneInput(const uint8_t *, size_t) { return 0; }\n' \
    >"$probe_dir/probe.cpp"
if ! clang++ -fsanitize=fuzzer,address,undefined "$probe_dir/probe.cpp" -o "$probe_dir/probe" \
    >"$probe_dir/probe.log" 2>&1; then
    cat "$probe_dir/probe.log" >&2
    echo "clang++ cannot link a libFuzzer target with the address and undefined sanitizers" >&2
    exit 1
fi

jobs=$(nproc 2>/dev/null || echo 2)
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMV100_FUZZ=ON \
    -DMV100_BUILD_TESTS=OFF -DMV100_BUILD_BENCH=OFF >/dev/null
cmake --build build-fuzz --parallel "$jobs" --target "${targets[@]}"

# A smaller quarantine than ASan's 256 MB keeps freed memory hot: the file reader allocates tens
# of kilobytes per input, and fresh pages for each cost more than the code under test.
export ASAN_OPTIONS="quarantine_size_mb=16:detect_leaks=1:abort_on_error=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
symbolizer=/usr/lib/llvm-14/bin/llvm-symbolizer
[[ -x $symbolizer ]] && export ASAN_SYMBOLIZER_PATH=$symbolizer

run_dir=build-fuzz/fuzz-run
rm -rf "$run_dir"
failed=0
summary=()
for target in "${targets[@]}"; do
    work="$run_dir/$target"
    mkdir -p "$work/findings"
    cp -r "fuzz/corpus/$target" "$work/corpus"
    args=(-max_total_time="$seconds" -print_final_stats=1 -timeout=10
          -artifact_prefix="$work/findings/")
    [[ -f "fuzz/$target.dict" ]] && args+=(-dict="fuzz/$target.dict")
    echo "== $target: ${seconds} s"
    status=0
    "build-fuzz/fuzz/$target" "${args[@]}" "$work/corpus" >"$work/log" 2>&1 || status=$?

    executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/log")
    per_second=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$work/log")
    last=$(grep -E '^#[0-9]+.*cov: ' "$work/log" | tail -n 1 || true)
    coverage=$(sed -n 's/.*cov: \([0-9]*\).*/\1/p' <<<"$last")
    features=$(sed -n 's/.*ft: \([0-9]*\).*/\1/p' <<<"$last")
    findings=$(find "$work/findings" -type f | wc -l)
    line=$(printf '%-17s executions %-9s exec/s %-7s cov %-5s ft %-6s findings %s' "$target" \
        "${executions:-?}" "${per_second:-?}" "${coverage:-?}" "${features:-?}" "$findings")
    summary+=("$line")
    echo "$line"
    if [[ $status -ne 0 || $findings -gt 0 ]]; then
        failed=1
        echo "-- $target stopped with status $status; the end of its log ($work/log):"
        tail -n 40 "$work/log"
        find "$work/findings" -type f -printf '   finding: %p\n'
    fi
done

echo "== Fuzzing summary (${seconds} s per target)"
printf '%s\n' "${summary[@]}"
if [[ $failed -ne 0 ]]; then
    echo "Fuzzing found something: see above." >&2
    exit 1
fi
echo "No findings."
