#!/usr/bin/env bash
# Builds the DLL from two copies of the source tree in different folders and
# checks that the two are the same bytes.
set -euo pipefail
source_tree=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for copy in first second/further/down; do
    mkdir -p "$work/$copy"
    # The tree as it stands: tracked files and new ones git does not ignore.
    (cd "$source_tree" && git ls-files -z --cached --others --exclude-standard |
        xargs -0 cp --parents -t "$work/$copy")
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
