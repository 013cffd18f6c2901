#!/usr/bin/env bash
# The add-on's footprint and its cost per hook event.
#
# Cost is counted in instructions with callgrind, which gives the same counts
# on a busy machine; only the hook procedures' own functions count, not the
# in-memory desktop's services they call. Checks the targets: the DLL at most
# 5 KiB with its version resource, every other event at most two instructions dearer than a procedure
# that only passes it on, and no heap allocation by the add-on's code. What
# the DLL imports is shown here and checked by the image test. The last line
# is the summary.
set -euo pipefail
cd "$(dirname "$0")/.."

events=10000
out=build/bench/profiles
failed=0

./scripts/setup.sh
cmake -S . -B build/bench --no-warn-unused-cli -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/bench --target hook_bench -j"$(nproc)" >/dev/null
cmake -S . -B build/windows --no-warn-unused-cli -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake >/dev/null
cmake --build build/windows --target VornHush >/dev/null
mkdir -p "$out"

dll=build/windows/VornHush.dll
size=$(stat -c %s "$dll")
max_size=5120
# objdump lists each imported function as "address hint name" under its
# DLL's name, up to a blank line.
read -r imported_dlls imported_functions < <(i686-w64-mingw32-objdump -p "$dll" | awk '
    /DLL Name:/ { dlls = dlls sep $3; sep = ","; listing = 1; next }
    listing && NF == 0 { listing = 0 }
    listing && NF == 3 && $2 ~ /^[0-9]+$/ { functions++ }
    END { print dlls, functions + 0 }')
echo "VornHush.dll: $size bytes (target at most $max_size), imports $imported_functions functions from $imported_dlls"
if [ "$size" -gt "$max_size" ]; then
    echo "FAILED: the DLL is over $max_size bytes" >&2
    failed=1
fi

declare -A cost
for mode in bare non-activation activation-empty activation-long; do
    valgrind --tool=callgrind --callgrind-out-file="$out/$mode.out" \
        build/bench/bench/hook_bench "$mode" "$events" >/dev/null 2>&1
    cost[$mode]=$(python3 bench/callgrind_costs.py self "$out/$mode.out" "$events")
    allocating=$(python3 bench/callgrind_costs.py allocators "$out/$mode.out")
    if [ -n "$allocating" ]; then
        echo "FAILED: $mode: the add-on's code allocated from the heap in: $allocating" >&2
        failed=1
    fi
done
echo "heap allocations by the add-on's code on every path: none found"

if [ "${cost[non-activation]}" -gt $((cost[bare] + 2)) ]; then
    echo "FAILED: other events cost more than two instructions over the bare procedure" >&2
    failed=1
fi

echo "hook-overhead: non-activation ${cost[non-activation]} instr (bare ${cost[bare]}), activation empty-title ${cost[activation-empty]} instr, activation 1023-unit title ${cost[activation-long]} instr"
exit "$failed"
