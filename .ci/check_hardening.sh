#!/usr/bin/env bash
# Checks that the programs of a release build were built hardened: bound at load time
# (BIND_NOW), relocations read-only after that (GNU_RELRO), the stack protector in use
# (__stack_chk_fail) and fortified library calls (a *_chk function).
#
# The compiler only calls a *_chk function where it cannot prove a call safe; in a program
# where it proves every one, no such symbol appears, and the build's compile commands are
# checked for -D_FORTIFY_SOURCE=2 instead, so that the check states what it has seen.
#
#   .ci/check_hardening.sh [build folder]      (default build/)
set -uo pipefail
build=${1:-build}
status=0

compiled_fortified() {
    local commands="$build/compile_commands.json"
    [ -f "$commands" ] || return 1
    local all fortified
    all=$(grep -c '"command":' "$commands")
    fortified=$(grep '"command":' "$commands" | grep -c -- '-D_FORTIFY_SOURCE=2')
    [ "$all" -gt 0 ] && [ "$all" -eq "$fortified" ]
}

for name in marvane marvedit; do
    program=$build/bin/$name
    if [ ! -f "$program" ]; then
        echo "NOT hardened: $program is missing" >&2
        status=1
        continue
    fi
    problems=()
    notes=()
    readelf -d -W "$program" | grep -qE '\(BIND_NOW\)|\(FLAGS(_1)?\).*\bNOW\b' ||
        problems+=("no BIND_NOW")
    readelf -l -W "$program" | grep -q 'GNU_RELRO' || problems+=("no GNU_RELRO")
    symbols=$(readelf --dyn-syms -W "$program")
    grep -qE ' __stack_chk_fail(@|$)' <<<"$symbols" || problems+=("no __stack_chk_fail")
    fortified=$(grep -oE ' __[a-z0-9_]+_chk(@|$)' <<<"$symbols" | grep -v __stack_chk | tr -d ' @' |
        sort -u | tr '\n' ' ')
    if [ -n "$fortified" ]; then
        notes+=("fortified calls: ${fortified% }")
    elif compiled_fortified; then
        notes+=("no call left for a run-time buffer check; every compile command has" \
            "-D_FORTIFY_SOURCE=2")
    else
        problems+=("no fortified *_chk call, and not compiled with -D_FORTIFY_SOURCE=2")
    fi
    if [ ${#problems[@]} -eq 0 ]; then
        echo "hardened: $program (${notes[*]})"
    else
        echo "NOT hardened: $program: $(IFS=';'; echo "${problems[*]}")" >&2
        status=1
    fi
done
exit $status
