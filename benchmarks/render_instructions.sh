#!/usr/bin/env bash
# Instructions counted by callgrind (needs valgrind and xvfb: apt-get install valgrind xvfb), each
# beside its floors, from render_benchmark run in the real window under a virtual X display:
# - a shown step of a search that closes all 399 reachable cells of an open board: everything
#   the process does from the search's start to its last frame flushed to X, divided by the
#   frames; beside a plain loop over each frame's changed cells and a full repaint of each frame;
# - a full repaint with tiles only, beside one row copy per scan line of the board rendered once,
#   and with 800 marks, beside a plain loop that writes the same pixels.
set -euo pipefail
bin=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build/bin
if [ -z "${DISPLAY:-}" ]; then
    exec "$(dirname "${BASH_SOURCE[0]}")/with_virtual_display.sh" "$0" "$@"
fi
out=$(mktemp)
log=$(mktemp)
trap 'rm -f "$out" "$log"' EXIT
# Instructions per call of the function named $3, toggled on by pattern $2, in the run of
# benchmark $1; the benchmark's own output is left in $log.
per_call() {
    QT_QPA_PLATFORM=xcb valgrind --tool=callgrind --callgrind-out-file="$out" \
        --toggle-collect="$2" "$bin/render_benchmark" --benchmark_filter="^$1\$" \
        --benchmark_min_time=0.01 >"$log" 2>/dev/null
    callgrind_annotate --inclusive=yes --tree=caller "$out" 2>/dev/null | awk -v name="$3" '
        done { next }
        /^ *[0-9,]+ .*< / { n = $0; sub(/.*\(/, "", n); sub(/x\).*/, "", n); gsub(",", "", n); calls += n; next }
        /\* / && index($0, name) { total = $1; gsub(",", "", total); done = 1; next }
        { calls = 0 }
        END { printf "%.0f", total / calls }'
}
# The frames of one search, as the last run reported them.
frames() { sed -n 's/.*frames=\([0-9]*\).*/\1/p' "$log" | head -1; }
line() {
    awk -v what="$1" -v p="$2" -v f="$3" -v floor="$4" \
        'BEGIN {printf "%-24s %9d instructions, %-22s %9d: ratio %.2f\n", what, p, floor, f, p / f}'
}

shown=$(per_call BM_ShownStep '*shownSearch*' 'shownSearch(')
shown=$((shown / $(frames)))
changed=$(per_call BM_FloorChangedCells '*changedCellsFloor*' 'changedCellsFloor(')
changed=$((changed / $(frames)))
full=$(per_call BM_FullRepaintEveryStep '*fullRepaints*' 'fullRepaints(')
full=$((full / $(frames)))
line "shown step" "$shown" "$changed" "changed-cells floor"
line "shown step" "$shown" "$full" "full repaint"

tiles=$(per_call BM_DibujarTilesOnly 'marv::paintDemoBoard*' 'paintDemoBoard(')
copy=$(per_call BM_FloorTilesOnly '*rowCopyFloor*' 'rowCopyFloor(')
line "full repaint, tiles" "$tiles" "$copy" "row-copy floor"
marks=$(per_call BM_DibujarWith800Marks 'marv::paintDemoBoard*' 'paintDemoBoard(')
plain=$(per_call BM_FloorWith800Marks '*plainLoopFloor*' 'plainLoopFloor(')
line "full repaint, 800 marks" "$marks" "$plain" "plain-loop floor"
