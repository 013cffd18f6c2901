#!/usr/bin/env bash
# Installs what is missing, builds dist/VornHush.dll, shows what it is and
# runs a short demonstration under Wine.
set -euo pipefail
cd "$(dirname "$0")"

./scripts/setup.sh

cmake -S . -B build/windows --no-warn-unused-cli -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake >/dev/null
cmake --build build/windows -j"$(nproc)"
cmake --install build/windows --prefix dist >/dev/null

echo
echo "dist/VornHush.dll: $(stat -c %s dist/VornHush.dll) bytes"
i686-w64-mingw32-objdump -p dist/VornHush.dll |
    grep -E '^(ImageBase|DllCharacteristics)|DLL Name' | sed 's/^\s*/  /'

echo
build/windows/wine-run build/windows/demo_host.exe
