#!/usr/bin/env bash
# Runs a command on a virtual X display of its own (needs xvfb: apt-get install xvfb). The X
# server itself takes the first free display number and reports it, so runs started at the same
# time, or beside displays already open, never collide.
#
#   with_virtual_display.sh COMMAND [ARGUMENTS...]
set -euo pipefail
number=$(mktemp)
Xvfb -displayfd 3 -screen 0 640x480x24 -nolisten tcp 3>"$number" 2>/dev/null &
server=$!
trap 'kill "$server" 2>/dev/null; wait "$server" 2>/dev/null; rm -f "$number"' EXIT
for _ in $(seq 100); do
    [ -s "$number" ] && break
    kill -0 "$server" 2>/dev/null || { echo "Xvfb did not start" >&2; exit 1; }
    sleep 0.05
done
[ -s "$number" ] || { echo "Xvfb gave no display number" >&2; exit 1; }
DISPLAY=":$(head -1 "$number")" "$@"
