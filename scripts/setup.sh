#!/usr/bin/env bash
# Installs, from Debian's packages, whatever the build and the tests need and
# this machine lacks. Safe to run again: it does nothing when all is present.
set -euo pipefail

native=(cmake g++ make googletest libgtest-dev clang libclang-rt-14-dev valgrind)
windows=(g++-mingw-w64-i686 binutils-mingw-w64-i686 python3-pefile)
# The import library for MSVC-style hosts, and the toolchain that proves it.
msvc_style=(llvm lld)
emulator=(wine wine32:i386)

missing=()
for pkg in "${native[@]}" "${windows[@]}" "${msvc_style[@]}" "${emulator[@]}"; do
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
echo "setup: on a fresh Debian 12, all of it is about 460 MB to download and 2.2 GB of disk"
export DEBIAN_FRONTEND=noninteractive
# A package run that was interrupted earlier would block this one.
dpkg --configure -a
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
fi
apt-get update
apt-get install -y --no-install-recommends "${missing[@]}"
echo "setup: done"
