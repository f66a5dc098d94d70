#!/bin/sh
# Runs the console smoke program under Wine and checks what it prints.
#   smoke.sh BASE_PREFIX WORK_DIR SMOKE.EXE
set -eu
. "$(dirname "$0")/wine-env.sh"
base=$1 t=$2 exe=$3
mkdir -p "$t"
wine_use_prefix "$base" "$t"
trap wine_stop EXIT
out=$("$WINE" "$exe" 2>"$t/stderr.log" | tr -d '\r')
echo "$out"
[ "$out" = "smoke: z80 result 42, running 0" ]
