#!/usr/bin/env bash
# Installs what is missing, builds every target and runs every test.
set -euo pipefail
cd "$(dirname "$0")"

./scripts/setup.sh
jobs=$(nproc)

passed=0
failed=0

# Configures, builds and runs one build folder's CTest suite, and adds its
# counts to the totals.
run_suite() {
    local dir=$1
    shift
    cmake -S . -B "$dir" --no-warn-unused-cli "$@" >/dev/null
    cmake --build "$dir" -j"$jobs"
    ctest --test-dir "$dir" --output-on-failure -j"$jobs" | tee "$dir/ctest.log"
    local total failures
    total=$(sed -n 's/.*tests failed out of \([0-9]*\).*/\1/p' "$dir/ctest.log")
    failures=$(sed -n 's/.*tests passed, \([0-9]*\) tests failed.*/\1/p' "$dir/ctest.log")
    passed=$((passed + total - failures))
    failed=$((failed + failures))
}

echo "== native unit tests"
run_suite build/native -DCMAKE_BUILD_TYPE=Debug

echo "== native unit tests under AddressSanitizer and UndefinedBehaviorSanitizer"
run_suite build/native-sanitize -DCMAKE_BUILD_TYPE=Debug -DVORNHUSH_SANITIZE=address,undefined

echo "== native unit tests under ThreadSanitizer"
run_suite build/native-thread -DCMAKE_BUILD_TYPE=Debug -DVORNHUSH_SANITIZE=thread

echo "== fuzzing the hook procedure and the rule"
fuzz_seconds=${FUZZ_SECONDS:-60}
cmake -S . -B build/fuzz --no-warn-unused-cli -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORNHUSH_FUZZ=ON >/dev/null
cmake --build build/fuzz -j"$jobs"
mkdir -p build/fuzz/corpus
if ! build/fuzz/hook_fuzzer -max_total_time="$fuzz_seconds" -print_final_stats=1 \
        build/fuzz/corpus >build/fuzz/last-run.log 2>&1; then
    tail -n 40 build/fuzz/last-run.log
    echo "fuzz: found a failing input (see above)"
    exit 1
fi
runs=$(sed -n 's/^stat::number_of_executed_units: *//p' build/fuzz/last-run.log)
echo "fuzz: $runs inputs tried in $fuzz_seconds s, nothing found"

echo "== footprint and cost per hook event"
bench/run.sh

echo "== the DLL: its image, and hosts using it on Wine"
run_suite build/windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake

# What the load test counted, from its output.
grep -h '  load:' build/windows/Testing/Temporary/LastTest.log || true
echo "test.sh: $passed passed, $failed failed"
