#!/bin/sh
# Checks that the programs the Wine tests run are 32-bit Windows programs
# (PE32, i386): every program of the Windows build and the test driver.
#   pe32.sh WINDOWS_BUILD DRIVER.EXE
set -eu
build=$1 driver=$2

# A little-endian number of N bytes at OFFSET of FILE, in hex.
hex_at() { od -An -t "x$3" -j "$2" -N "$3" "$1" | tr -d ' \n'; }

n=0
for f in $(find "$build/velto" "$build/tests/wine" -iname '*.exe' -o -iname '*.scr' | sort) "$driver"; do
    pe=$((0x$(hex_at "$f" 60 4)))
    signature=$(hex_at "$f" $pe 4)     # "PE\0\0"
    machine=$(hex_at "$f" $((pe + 4)) 2) # IMAGE_FILE_MACHINE_I386
    magic=$(hex_at "$f" $((pe + 24)) 2)  # the optional header of PE32
    if [ "$signature" != 00004550 ] || [ "$machine" != 014c ] || [ "$magic" != 010b ]; then
        echo "not a 32-bit (PE32, i386) program: $f (machine $machine, magic $magic)" >&2
        exit 1
    fi
    n=$((n + 1))
done
[ $n -ge 3 ] || { echo "too few programs found under $build" >&2; exit 1; }
echo "$n programs are PE32, i386"
