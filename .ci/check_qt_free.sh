#!/usr/bin/env bash
# Checks that the three core folders stay free of Qt, everything in them and below them:
#
#   .ci/check_qt_free.sh BUILD_DIR      (a configured build folder; nothing needs to be compiled)
#
# First the sources, so that a slip fails before anything is compiled: no Qt include in any
# spelling, and no CMake file in a core folder that mentions Qt. Then what the build knows: every
# core source is compiled, none with a Qt include folder, a Qt definition or Qt's generated code,
# and no core target has Qt anywhere in its link closure. Says every fault it finds; exits 1 if
# there is one, 2 if it cannot check.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
core_folders=(map/core demo/search editor/model)

[ $# -eq 1 ] || { echo "uso: $0 BUILD_DIR" >&2; exit 2; }
build=$(cd "$1" 2>/dev/null && pwd) || { echo "No build folder at $1." >&2; exit 2; }

faults=0
fault() {
    echo "Qt in the core: $*" >&2
    faults=$((faults + 1))
}

# A renamed or removed folder would otherwise leave nothing to find, and pass.
for folder in "${core_folders[@]}"; do
    [ -d "$root/$folder" ] || { echo "The core folder $folder is missing." >&2; exit 2; }
done

# An include of a Qt header however it is spelled: <QString>, "QtCore/QString", <qstring.h>, a
# path through a Qt folder; by #include, #include_next or __has_include.
include_of_qt='(#[[:space:]]*include(_next)?|__has_include(_next)?[[:space:]]*\()[[:space:]]*[<"]'
include_of_qt+='[[:space:]]*(Q[A-Za-z0-9_]*([>"]|\.h)|Qt[A-Za-z0-9_]*/|q[a-z0-9_]*\.h[>"]|[^>"]*/[Qq][Tt])'
while IFS= read -r line; do
    fault "includes Qt: $line"
done < <(cd "$root" && grep -rnIE "$include_of_qt" "${core_folders[@]}" || true)

# A core folder's CMake files may not name Qt at all, not even in a comment.
while IFS= read -r line; do
    fault "a CMake file names Qt: $line"
done < <(cd "$root" && find "${core_folders[@]}" -type f \( -name CMakeLists.txt -o -name '*.cmake' \
    -o -name '*.cmake.in' \) -exec grep -nHiE '(^|[^a-z0-9])qt' {} + || true)

# The flags of a compile command that bring Qt in: its definitions, the folders of generated code
# (AUTOMOC, AUTOUIC) and every include folder that holds Qt's headers, wherever Qt is installed.
qt_flags_of() {
    local flags=" " previous="" word folder
    for word in $1; do
        folder=""
        case "$previous" in -I | -isystem | -iquote | -idirafter) folder=$word ;; esac
        case "$word" in
            -DQT_* | -D) [ "$word" = -D ] || flags+="$word " ;;
            -I?*) folder=${word#-I} ;;
        esac
        [ "$previous" = -D ] && [[ $word == QT_* ]] && flags+="-D $word "
        if [ -n "$folder" ] && { [[ $folder == *_autogen/* ]] || [ -d "$folder/QtCore" ] ||
            [ -f "$folder/qplatformdefs.h" ] || compgen -G "$folder/qt*version.h" >/dev/null; }; then
            flags+="$folder "
        fi
        previous=$word
    done
    [ "$flags" = " " ] || echo "${flags% }"
}

# The compile commands of the build: which targets compile the core's sources, and how.
commands=$build/compile_commands.json
[ -f "$commands" ] || { echo "No $commands: configure $build first." >&2; exit 2; }
# CMake writes each entry's "command" line before its "file" line.
entries=$(awk '
    /^ *"command": "/ { command = $0; sub(/^ *"command": "/, "", command); sub(/",? *$/, "", command) }
    /^ *"file": "/ { file = $0; sub(/^ *"file": "/, "", file); sub(/",? *$/, "", file)
                     print file "\t" command }' "$commands")
core_targets=()
while IFS= read -r -d '' source; do
    relative=${source#"$root"/}
    commands_for=$(awk -F'\t' -v file="$source" '$1 == file { print $2 }' <<<"$entries")
    if [ -z "$commands_for" ]; then
        fault "$relative is compiled by no target of $build, so nothing vouches for it"
        continue
    fi
    while IFS= read -r command; do
        target=$(sed -nE 's|.*CMakeFiles/([^ /]+)\.dir/.*|\1|p' <<<"$command")
        [ -n "$target" ] && core_targets+=("$target")
        qt_flags=$(qt_flags_of "$command")
        [ -z "$qt_flags" ] || fault "$relative is compiled for $target with$qt_flags"
    done <<<"$commands_for"
done < <(cd "$root" && find "${core_folders[@]}" -type f \( -name '*.cpp' -o -name '*.cc' \) \
    -printf "$root/%p\0")
mapfile -t core_targets < <(printf '%s\n' "${core_targets[@]}" | sort -u)

# The link closure of each core target, from the build's own dependency graph: every library it
# links, what those link, and so on, public or private.
graph=$(mktemp -d)
trap 'rm -rf "$graph"' EXIT
(cd "$graph" && cmake --graphviz="$graph/targets.dot" "$build" >"$graph/cmake.log" 2>&1) || {
    cat "$graph/cmake.log" >&2
    echo "cmake cannot describe the targets of $build." >&2
    exit 2
}
for target in "${core_targets[@]}"; do
    while IFS= read -r line; do
        fault "$target depends on $line"
    done < <(awk -v start="$target" '
        match($0, /^ *"node[0-9]+" \[ label = "[^"]*"/) {
            split($0, parts, "\""); label[parts[2]] = parts[4]; node[parts[4]] = parts[2]
        }
        match($0, /^ *"node[0-9]+" -> "node[0-9]+"/) {
            split($0, parts, "\""); edges[parts[2]] = edges[parts[2]] " " parts[4]
        }
        END {
            if (!(start in node)) { print "nothing: it is not in the graph (?)"; exit }
            queue[1] = node[start]; queued = 1; seen[node[start]] = 1; via[node[start]] = start
            for (head = 1; head <= queued; ++head) {
                n = split(edges[queue[head]], next_nodes, " ")
                for (i = 1; i <= n; ++i) {
                    to = next_nodes[i]
                    if (to in seen) continue
                    seen[to] = 1; queue[++queued] = to
                    via[to] = via[queue[head]] " -> " label[to]
                    if (tolower(label[to]) ~ /(^|[\/:])(lib)?qt/) print label[to] " (" via[to] ")"
                }
            }
        }' "$graph/targets.dot")
done

if [ "$faults" -ne 0 ]; then
    echo "The core folders (${core_folders[*]}) must stay free of Qt: $faults fault(s)." >&2
    exit 1
fi
echo "The core is free of Qt: ${#core_targets[@]} targets (${core_targets[*]}), checked in" \
    "its sources, compile commands and link closures."
