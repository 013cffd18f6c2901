#!/usr/bin/env bash
# Installs what is missing, builds every target and runs every test.
set -euo pipefail
cd "$(dirname "$0")"

./scripts/setup.sh
jobs=$(nproc)

run_suite() {
    local dir=$1
    shift
    cmake -S . -B "$dir" --no-warn-unused-cli "$@" >/dev/null
    cmake --build "$dir" -j"$jobs"
    ctest --test-dir "$dir" --output-on-failure -j"$jobs"
}

echo "== native unit tests"
run_suite build/native -DCMAKE_BUILD_TYPE=Debug

echo "== native unit tests under AddressSanitizer and UndefinedBehaviorSanitizer"
run_suite build/native-sanitize -DCMAKE_BUILD_TYPE=Debug -DVORNHUSH_SANITIZE=ON

echo "== the DLL: its image, and hosts using it on Wine"
run_suite build/windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake
