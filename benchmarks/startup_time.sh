#!/usr/bin/env bash
# Time from process start to the first frame shown, for marvane and marvedit, each beside a bare
# window of the same size and beside that window with one text field (any window with text pays
# for setting up the fonts), over repeated runs alternating the six, on a virtual X display on
# the first free display number (needs xvfb: apt-get install xvfb). The probe starts each program
# through its own start-up and leaves as soon as the first frame is shown, so Qt's teardown is not
# timed. Prints each run, the medians in milliseconds and each program's ratio to both floors.
set -euo pipefail
bin=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build/bin
runs=${1:-20}
if [ -z "${DISPLAY:-}" ]; then
    exec "$(dirname "${BASH_SOURCE[0]}")/with_virtual_display.sh" "$0" "$runs"
fi
kinds=(marvane bare-marvane text-marvane marvedit bare-marvedit text-marvedit)
# Milliseconds from just before the probe starts to its first frame shown.
probe() {
    local start shown
    start=${EPOCHREALTIME/./}
    shown=$("$bin/startup_probe" "$1" 2>/dev/null) || { echo "startup_probe $1 failed" >&2; return 1; }
    awk -v a="$start" -v b="$shown" 'BEGIN {printf "%.1f", (b - a) / 1000}'
}
median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

for kind in "${kinds[@]}"; do probe "$kind" >/dev/null; done  # warm the file cache
declare -A times
for _ in $(seq "$runs"); do
    for kind in "${kinds[@]}"; do times[$kind]+="$(probe "$kind") "; done
done
declare -A medians
for kind in "${kinds[@]}"; do
    printf '%-14s runs (ms): %s\n' "$kind" "${times[$kind]}"
    # shellcheck disable=SC2086
    medians[$kind]=$(median ${times[$kind]})
done
for program in marvane marvedit; do
    m=${medians[$program]}
    b=${medians[bare-$program]}
    t=${medians[text-$program]}
    awk -v p="$program" -v m="$m" -v b="$b" -v t="$t" 'BEGIN {
        printf "median %s %.1f ms, bare window of its size %.1f ms: ratio %.2f; ", p, m, b, m / b
        printf "with a text field %.1f ms: ratio %.2f\n", t, m / t }'
done
