#!/usr/bin/env bash
# Installs the build into a scratch prefix the way a user does, and checks what lands there: the
# files, the menu entries, manual pages and metadata, that the installed marvane starts on the
# installed map, that a reinstall keeps a changed map and that removing the manifest's files
# leaves it alone. Then makes the README's pictures into a scratch folder (the committed ones are
# left as they are).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${BUILD_DIR:-$root/build}
programs=(marvane marvedit)
icon_sizes=(16 24 32 48 64 128 256)
pictures=(marvane_start marvane_searching marvane_path marvane_walking marvane_cell_data
    marvedit_painting)

bash "$root/scripts/install_packages.sh" desktop-file-utils

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
prefix=$scratch/prefix
lib=$prefix/lib/marvane

fail() {
    echo "check_install: $*" >&2
    exit 1
}
install_to() {
    cmake --install "$build" --prefix "$1" >"$scratch/install.log" || {
        cat "$scratch/install.log" >&2
        fail "cmake --install --prefix $1 failed"
    }
}
# The start-up check: load the map, show the window, exit 0; a map that cannot be loaded is
# reported on stderr with status 1.
start_check() {
    MARV_STARTUP_CHECK=1 QT_QPA_PLATFORM=offscreen timeout 60 "$@"
}
app_id=io.github.marvane
entry_value() {
    sed -n "s/^$1=//p" "$prefix/share/applications/$app_id.$2.desktop"
}

install_to "$prefix"

for program in "${programs[@]}"; do
    [ -x "$lib/$program" ] || fail "lib/marvane/$program is missing"
    [ "$(readlink "$prefix/bin/$program")" = "../lib/marvane/$program" ] ||
        fail "bin/$program is not a relative link to ../lib/marvane/$program"
    for size in "${icon_sizes[@]}"; do
        [ -s "$prefix/share/icons/hicolor/${size}x$size/apps/$program.png" ] ||
            fail "no ${size}x$size icon for $program"
    done
    entry=$prefix/share/applications/$app_id.$program.desktop
    [ -f "$entry" ] || fail "no menu entry $app_id.$program.desktop"
    report=$(desktop-file-validate "$entry" 2>&1) && [ -z "$report" ] ||
        fail "desktop-file-validate $program.desktop: $report"
    [ "$(entry_value Exec "$program")" = "$prefix/bin/$program" ] ||
        fail "$program.desktop does not start $prefix/bin/$program"
    [ "$(entry_value Icon "$program")" = "$program" ] || fail "$program.desktop names another icon"
    [ -s "$prefix/share/man/man1/$program.1" ] || fail "no manual page for $program"
    [ -s "$prefix/share/metainfo/$app_id.$program.metainfo.xml" ] || fail "no metainfo for $program"
done
cmp -s "$root/mapa.txt" "$lib/mapa.txt" || fail "the sample map is not in lib/marvane"
[ -s "$lib/qtbase_es.qm" ] || fail "Qt's Spanish texts are not in lib/marvane"
# Qt is a system library: a RUNPATH, if any, names only folders that exist.
for program in "${programs[@]}"; do
    runpath=$(readelf -d -W "$lib/$program" | sed -n 's/.*(R\(UN\)\{0,1\}PATH).*\[\(.*\)\]$/\2/p')
    IFS=: read -r -a folders <<<"$runpath"
    for folder in "${folders[@]}"; do
        [ -d "${folder//\$ORIGIN/$lib}" ] || fail "$program has a RUNPATH into a missing folder: $folder"
    done
done
# The programs and what they need, nothing more: no tests, benchmarks or generators.
unexpected=$(cd "$prefix" && find . ! -type d | grep -vxE '\./(lib/marvane/(marvane|marvedit|mapa\.txt|qtbase_es\.qm)|bin/(marvane|marvedit)|share/applications/io\.github\.marvane\.(marvane|marvedit)\.desktop|share/icons/hicolor/[0-9]+x[0-9]+/apps/(marvane|marvedit)\.png|share/man/man1/(marvane|marvedit)\.1|share/metainfo/io\.github\.marvane\.(marvane|marvedit)\.metainfo\.xml)' || true)
[ -z "$unexpected" ] || fail "installed but not part of the programs: $unexpected"

# The menu entry's command, through the bin link, loads the installed map; without that map it
# refuses to start, naming it.
exec_line=$(entry_value Exec marvane)
installed_map="$(cd "$lib" && pwd -P)/mapa.txt"
[ "$(start_check "$exec_line")" = "$installed_map" ] ||
    fail "marvane does not start on the installed map"
[ "$(start_check "$prefix/bin/marvedit")" = "$installed_map" ] ||
    fail "marvedit does not start on the installed map"
mv "$lib/mapa.txt" "$scratch/mapa.txt"
status=0
start_check "$exec_line" 2>"$scratch/stderr" || status=$?
[ "$status" -eq 1 ] || fail "marvane without its map ended with status $status instead of 1"
grep -qF "$(cd "$lib" && pwd -P)/mapa.txt" "$scratch/stderr" ||
    fail "marvane did not look for lib/marvane/mapa.txt: $(cat "$scratch/stderr")"
mv "$scratch/mapa.txt" "$lib/mapa.txt"

# Staged under DESTDIR, the menu entry still names the final place.
DESTDIR=$scratch/stage install_to /opt/marv
[ -x "$scratch/stage/opt/marv/lib/marvane/marvane" ] || fail "DESTDIR install misses the programs"
[ -f "$scratch/stage/opt/marv/lib/marvane/mapa.txt" ] || fail "DESTDIR install misses the map"
grep -qx "Exec=/opt/marv/bin/marvane" \
    "$scratch/stage/opt/marv/share/applications/$app_id.marvane.desktop" ||
    fail "a DESTDIR install's menu entry names the staging folder"
# Its manifest lists every staged file but the map, each by its final path.
while IFS= read -r file; do
    [[ "$file" == /opt/marv/* ]] || fail "the DESTDIR manifest lists $file, not a final path"
    [ -e "$scratch/stage$file" ] || [ -L "$scratch/stage$file" ] ||
        fail "the DESTDIR manifest lists $file, which was not staged"
done <"$build/install_manifest.txt"
[ "$(grep -c "" "$build/install_manifest.txt")" -eq \
    "$(find "$scratch/stage" ! -type d ! -name mapa.txt | wc -l)" ] ||
    fail "the DESTDIR manifest does not list every staged file"

# A map the user changed survives a reinstall.
{
    printf '7,'
    tail -c +3 "$root/mapa.txt"
} >"$scratch/changed.txt"
cp "$scratch/changed.txt" "$lib/mapa.txt"
install_to "$prefix"
cmp -s "$scratch/changed.txt" "$lib/mapa.txt" || fail "a reinstall overwrote the changed map"
start_check "$exec_line" || fail "marvane does not start on the changed map"

# Removing every file the manifest lists leaves only the map.
xargs -d '\n' rm <"$build/install_manifest.txt"
left=$(cd "$prefix" && find . ! -type d)
[ "$left" = "./lib/marvane/mapa.txt" ] || fail "after removing the manifest's files: $left"

# The README's pictures.
"$build/bin/make_screens" "$root/mapa.txt" "$scratch/pictures" >/dev/null
for name in "${pictures[@]}"; do
    png=$scratch/pictures/$name.png
    [ -s "$png" ] && [ "$(head -c 8 "$png" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] ||
        fail "make_screens did not make $name.png"
done

echo "check_install: all good"
