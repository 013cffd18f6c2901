#!/usr/bin/env bash
# Builds the DLL from two copies of the source tree in different folders and
# checks that the two are the same bytes.
set -euo pipefail
source_tree=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for copy in first second/further/down; do
    mkdir -p "$work/$copy"
    # The tree as it stands, without git (it may come from a source archive)
    # and without what builds leave.
    tar -C "$source_tree" --exclude=./.git --exclude=./build --exclude=./dist -cf - . |
        tar -C "$work/$copy" -xf -
    cmake -S "$work/$copy" -B "$work/$copy/build" \
        -DCMAKE_TOOLCHAIN_FILE="$work/$copy/cmake/mingw-i686.cmake" >/dev/null
    cmake --build "$work/$copy/build" --target VornHush >/dev/null
done

first=$work/first/build/VornHush.dll
second=$work/second/further/down/build/VornHush.dll
if cmp "$first" "$second"; then
    echo "identical: $(sha256sum <"$first" | cut -d' ' -f1), $(stat -c %s "$first") bytes"
else
    exit 1
fi
