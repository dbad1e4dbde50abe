#!/usr/bin/env bash
# Time from process start to the first frame shown, for marvane's window and for a bare window of
# the same size, over repeated runs alternating the two, on a virtual X display (needs xvfb:
# apt-get install xvfb). Prints each run, both medians in milliseconds and their ratio.
set -euo pipefail
bin=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build/bin
runs=${1:-20}
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 640x480x24" "$0" "$runs"
fi
probe() {
    local start
    start=$(date +%s%N)
    "$bin/startup_probe" "$@" >/dev/null 2>&1 || { echo "startup_probe $* failed" >&2; return 1; }
    echo $(( ($(date +%s%N) - start) / 1000000 ))
}
median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

probe >/dev/null  # warm the file cache
probe bare >/dev/null
marvane=()
bare=()
for _ in $(seq "$runs"); do
    marvane+=("$(probe)")
    bare+=("$(probe bare)")
done
echo "marvane runs (ms): ${marvane[*]}"
echo "bare runs (ms):    ${bare[*]}"
m=$(median "${marvane[@]}")
b=$(median "${bare[@]}")
echo "median marvane (ms): $m"
echo "median bare window (ms): $b"
awk -v m="$m" -v b="$b" 'BEGIN {printf "ratio marvane / bare: %.2f\n", m / b}'
