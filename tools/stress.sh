#!/bin/sh
# Runs the whole suite several times in a row with twice as many tests at once
# as the machine has cores, to show that it holds under load: prints each
# run's time and the tests that failed in it; the logs go to build/stress/.
#   sh tools/stress.sh [RUNS [CTEST ARGUMENTS...]]
# RUNS is 3 unless given; further arguments go to each ctest run (e.g.
# -R '^wine' for the Wine tests alone). It builds first, as tools/test.sh does.
# VELTO_WINE32_QEMU=1 runs the 32-bit programs through QEMU even where the
# kernel runs them itself (as root; see tools/setup.sh). That entry serves
# every 32-bit program of the machine while it stands: one that this script
# made is removed again at the end.
# Exits with status 1 when any run had a failure.
set -eu
cd "$(dirname "$0")/.."
runs=${1:-3}
[ $# = 0 ] || shift

entry=/proc/sys/fs/binfmt_misc/velto-i386
made_entry=0
if [ "${VELTO_WINE32_QEMU:-0}" = 1 ] && [ ! -f "$entry" ]; then made_entry=1; fi
remove_entry() {
    if [ $made_entry = 1 ] && [ -f "$entry" ]; then echo -1 >"$entry" || true; fi
}
trap remove_entry EXIT

sh tools/test.sh build

jobs=$((2 * $(nproc 2>/dev/null || echo 4)))
mkdir -p build/stress
summary=build/stress/summary.txt
: >"$summary"
failed_runs=0
run=1
while [ $run -le "$runs" ]; do
    log=build/stress/run-$run.log
    start=$(date +%s)
    status=0
    ctest --preset sanitize -j "$jobs" "$@" >"$log" 2>&1 || status=1
    seconds=$(($(date +%s) - start))
    failures=$(sed -n '/The following tests FAILED:/,$p' "$log" | sed -n 's/^[[:space:]]*[0-9]* - \(.*\)$/\1/p' |
        tr '\n' ';' | sed 's/;$//; s/;/; /g')
    counted=$(grep -E '^[0-9]+% tests passed' "$log" || echo "no summary (see $log)")
    line="run $run: $((seconds / 60)) min $((seconds % 60)) s, -j $jobs, $counted"
    if [ $status != 0 ]; then
        failed_runs=$((failed_runs + 1))
        # The next run starts each test's directory anew: keep what the
        # failed Wine tests left (screenshots, logs), not their prefixes.
        echo "$failures" | tr ';' '\n' | sed -n 's/^ *wine\.\([^ ]*\).*/\1/p' | tr . - | while read -r dir; do
            [ -d "build/sanitize/tests/wine/work/$dir" ] || continue
            mkdir -p "build/stress/run-$run/$dir"
            find "build/sanitize/tests/wine/work/$dir" -maxdepth 1 -type f \( -name '*.png' -o -name '*.log' \
                -o -name '*.txt' -o -name '*.out' \) -exec cp {} "build/stress/run-$run/$dir/" \;
        done
        line="$line; failed: ${failures:-see $log}"
    fi
    echo "$line" | tee -a "$summary"
    run=$((run + 1))
done
echo "$failed_runs of $runs runs had failures (logs in build/stress/)" | tee -a "$summary"
[ $failed_runs = 0 ]
