#!/usr/bin/env bash
# Installs, from Debian's packages, whatever the build and the tests need and
# this machine lacks. Safe to run again: it does nothing when all is present.
set -euo pipefail

native=(cmake g++ make googletest libgtest-dev clang libclang-rt-14-dev valgrind)
windows=(g++-mingw-w64-i686 binutils-mingw-w64-i686 python3-pefile)
emulator=(wine wine32:i386)

missing=()
for pkg in "${native[@]}" "${windows[@]}" "${emulator[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$pkg")
    fi
done


if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
    echo "setup: missing packages: ${missing[*]}; run as root to install them" >&2
    exit 1
fi

echo "setup: installing ${missing[*]}"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
