#!/usr/bin/env bash
# Time from process start to marvane's first shown window, over repeated runs, on a virtual X
# display (needs xvfb: apt-get install xvfb). Prints each run and the median in milliseconds.
set -euo pipefail
bin=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build/bin
runs=${1:-20}
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 640x480x24" "$0" "$runs"
fi
"$bin/startup_probe" >/dev/null 2>&1  # warm the file cache
times=()
for _ in $(seq "$runs"); do
    start=$(date +%s%N)
    "$bin/startup_probe" >/dev/null 2>&1
    times+=($(( ($(date +%s%N) - start) / 1000000 )))
done
echo "runs (ms): ${times[*]}"
printf '%s\n' "${times[@]}" | sort -n | awk '{a[NR]=$1} END {print "median (ms): " a[int((NR+1)/2)]}'
