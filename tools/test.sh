#!/bin/sh
# Builds everything and runs every test: the native unit tests under
# AddressSanitizer and UndefinedBehaviorSanitizer, the programs' threads under
# ThreadSanitizer, and the Windows programs under Wine. Installs missing Debian packages first (needs root for that).
#   sh tools/test.sh          build and test
#   sh tools/test.sh build    build only (tools/stress.sh tests on its own)
set -eu
cd "$(dirname "$0")/.."

sh tools/setup.sh

jobs=$(nproc 2>/dev/null || echo 4)

# The 32-bit Windows programs.
cmake --preset windows
cmake --build --preset windows -j "$jobs"

# The Wine tests run them under the 32-bit Wine wherever it works (on kernels
# that cannot run 32-bit programs, through the QEMU that setup registers);
# elsewhere they run a 64-bit build of the same sources under the 64-bit Wine.
if /usr/lib/wine/wine --version >/dev/null 2>&1; then
    windows_build=build/windows
    wine_bits=32
    how=""
    if grep -qx enabled /proc/sys/fs/binfmt_misc/velto-i386 2>/dev/null; then how=" through QEMU"; fi
    echo "test: the Wine tests run the 32-bit programs under the 32-bit Wine$how"
else
    echo "test: the 32-bit Wine does not run here; the Wine tests use the 64-bit build"
    cmake --preset windows64
    cmake --build --preset windows64 -j "$jobs"
    windows_build=build/windows64
    wine_bits=64
fi

cmake --preset sanitize -DVELTO_WINDOWS_BUILD="$(pwd)/$windows_build" -DVELTO_WINE_BITS=$wine_bits
cmake --build --preset sanitize -j "$jobs"

# The programs' threads under ThreadSanitizer: a small build of its own that
# holds only the test of the threads.
cmake --preset tsan
cmake --build --preset tsan -j "$jobs"

[ "${1:-}" != build ] || exit 0
ctest --preset tsan
ctest --preset sanitize -j "$jobs"
