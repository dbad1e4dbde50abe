#!/usr/bin/env bash
# Instructions per full repaint of the demonstration's board, counted by callgrind (needs valgrind:
# apt-get install valgrind), for the board with 800 marks and with tiles only, each beside its
# floor: render_benchmark's plain loop that writes the same pixels. Prints both and their ratio.
set -euo pipefail
bin=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build/bin
out=$(mktemp)
trap 'rm -f "$out"' EXIT
# Instructions per call of the function named $2 in the run of benchmark $1.
per_call() {
    QT_QPA_PLATFORM=offscreen valgrind --tool=callgrind --callgrind-out-file="$out" \
        --toggle-collect="$2" "$bin/render_benchmark" --benchmark_filter="^$1\$" \
        --benchmark_min_time=0.01 >/dev/null 2>&1
    callgrind_annotate --inclusive=yes --tree=caller "$out" 2>/dev/null | awk -v name="$3" '
        done { next }
        /^ *[0-9,]+ .*< / { n = $0; sub(/.*\(/, "", n); sub(/x\).*/, "", n); gsub(",", "", n); calls += n; next }
        /\* / && index($0, name) { total = $1; gsub(",", "", total); done = 1; next }
        { calls = 0 }
        END { printf "%.0f", total / calls }'
}
for board in With800Marks TilesOnly; do
    painted=$(per_call "BM_Dibujar$board" 'marv::paintDemoBoard*' 'paintDemoBoard(')
    floor=$(per_call "BM_Floor$board" '*plainLoopFloor*' 'plainLoopFloor(')
    awk -v b="$board" -v p="$painted" -v f="$floor" \
        'BEGIN {printf "%-13s dibujar %9d instructions, plain-loop floor %9d: ratio %.2f\n", b, p, f, p / f}'
done
