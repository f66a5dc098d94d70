#!/bin/sh
# Builds everything and runs every test: the native unit tests under
# AddressSanitizer and UndefinedBehaviorSanitizer, and the Windows programs
# under Wine. Installs missing Debian packages first (needs root for that).
set -eu
cd "$(dirname "$0")/.."

sh tools/setup.sh

jobs=$(nproc 2>/dev/null || echo 4)

# The 32-bit Windows programs.
cmake --preset windows
cmake --build --preset windows -j "$jobs"

# Wine runs them where the kernel can run 32-bit programs; elsewhere the Wine
# tests run a 64-bit build of the same sources under the 64-bit Wine.
if /usr/lib/wine/wine --version >/dev/null 2>&1; then
    windows_build=build/windows
    wine_bits=32
else
    echo "test: this kernel cannot run 32-bit programs; the Wine tests use the 64-bit build"
    cmake --preset windows64
    cmake --build --preset windows64 -j "$jobs"
    windows_build=build/windows64
    wine_bits=64
fi

cmake --preset sanitize -DVELTO_WINDOWS_BUILD="$(pwd)/$windows_build" -DVELTO_WINE_BITS=$wine_bits
cmake --build --preset sanitize -j "$jobs"

ctest --preset sanitize -j "$jobs"
