#!/usr/bin/env bash
# Installs what is missing, builds every target and runs every test. Every
# stage runs even when an earlier one failed; the script ends with the totals
# and the names of the failed stages, and exits non-zero if anything failed.
set -uo pipefail
cd "$(dirname "$0")"

./scripts/setup.sh || exit 1
jobs=$(nproc)

passed=0
failed=0
failed_stages=()

# Records the outcome of a stage that is one test of its own.
count_stage() {
    local name=$1 status=$2
    if [ "$status" -eq 0 ]; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        failed_stages+=("$name")
    fi
}

# Configures, builds and runs one build folder's CTest suite, and adds its
# counts to the totals. A suite that does not build counts as one failure.
run_suite() {
    local name=$1 dir=$2
    shift 2
    echo "== $name"
    rm -f "$dir/ctest.log"
    if ! { cmake -S . -B "$dir" --no-warn-unused-cli "$@" >/dev/null && cmake --build "$dir" -j"$jobs"; }; then
        echo "$name: the build failed"
        count_stage "$name" 1
        return
    fi
    ctest --test-dir "$dir" --output-on-failure -j"$jobs" | tee "$dir/ctest.log"
    local total failures
    total=$(sed -n 's/.*tests failed out of \([0-9]*\).*/\1/p' "$dir/ctest.log")
    failures=$(sed -n 's/.*tests passed, \([0-9]*\) tests failed.*/\1/p' "$dir/ctest.log")
    if [ -z "$total" ] || [ -z "$failures" ]; then
        echo "$name: CTest gave no summary"
        count_stage "$name" 1
        return
    fi
    passed=$((passed + total - failures))
    failed=$((failed + failures))
    if [ "$failures" -ne 0 ]; then
        failed_stages+=("$name")
    fi
}

fuzz() {
    local seconds=${FUZZ_SECONDS:-60}
    cmake -S . -B build/fuzz --no-warn-unused-cli -DCMAKE_CXX_COMPILER=clang++ \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORNHUSH_FUZZ=ON >/dev/null &&
        cmake --build build/fuzz -j"$jobs" || return 1
    mkdir -p build/fuzz/corpus
    # A failing input is saved in build/fuzz, not in the source tree.
    if ! build/fuzz/hook_fuzzer -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix=build/fuzz/ \
            build/fuzz/corpus >build/fuzz/last-run.log 2>&1; then
        tail -n 40 build/fuzz/last-run.log
        echo "fuzz: found a failing input (see above)"
        return 1
    fi
    local runs
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' build/fuzz/last-run.log)
    echo "fuzz: $runs inputs tried in $seconds s, nothing found"
}

run_suite "native unit tests" build/native -DCMAKE_BUILD_TYPE=Debug
run_suite "native unit tests under AddressSanitizer and UndefinedBehaviorSanitizer" \
    build/native-sanitize -DCMAKE_BUILD_TYPE=Debug -DVORNHUSH_SANITIZE=address,undefined
run_suite "native unit tests under ThreadSanitizer" \
    build/native-thread -DCMAKE_BUILD_TYPE=Debug -DVORNHUSH_SANITIZE=thread

echo "== fuzzing the hook procedure and the rule"
fuzz
count_stage "fuzzing" $?

echo "== footprint and cost per hook event"
bench/run.sh
count_stage "benchmark" $?

rm -f build/windows/Testing/Temporary/LastTest.log
run_suite "the DLL: its image, and hosts using it on Wine" build/windows \
    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake
# What the load test counted, from its output.
grep -h '  load:' build/windows/Testing/Temporary/LastTest.log 2>/dev/null

if [ ${#failed_stages[@]} -gt 0 ]; then
    echo "test.sh: failed stages:"
    printf '  %s\n' "${failed_stages[@]}"
fi
echo "test.sh: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
