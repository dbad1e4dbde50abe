#!/usr/bin/env bash
# Builds the Debian package and checks it as Debian's tools and a new user would: lintian, the
# software-centre metadata, the manual pages and the menu entries must draw no complaint at all;
# then the package is unpacked into a scratch root and its programs are started there as an
# ordinary user, who has no map of their own yet.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

bash "$root/scripts/install_packages.sh" lintian appstream man-db desktop-file-utils

scratch=$(mktemp -d)
chmod 0755 "$scratch"
trap 'rm -rf "$scratch"' EXIT
fail() {
    echo "check_package: $*" >&2
    exit 1
}

deb=$(bash "$root/scripts/package.sh")
[ -f "$deb" ] || fail "scripts/package.sh made no package"
echo "check_package: built $(basename "$deb")"

# lintian's only output is its complaints; its note about running as root is none.
complaints=$(lintian "$deb" 2>&1 | grep -v '^running with root privileges is not recommended!$' || true)
[ -z "$complaints" ] || fail "lintian: $complaints"

unpacked=$scratch/root
dpkg-deb -x "$deb" "$unpacked"
for program in marvane marvedit; do
    metainfo=$unpacked/usr/share/metainfo/io.github.marvane.$program.metainfo.xml
    report=$(appstreamcli validate --no-net "$metainfo" 2>&1) ||
        fail "appstreamcli validate $program: $report"
    ! grep -qE '^[EW]: ' <<<"$report" || fail "appstreamcli validate $program: $report"
    report=$(LC_ALL=C.UTF-8 man --warnings -l "$unpacked/usr/share/man/man1/$program.1.gz" 2>&1 \
        >/dev/null)
    [ -z "$report" ] || fail "man --warnings $program.1: $report"
    report=$(desktop-file-validate "$unpacked/usr/share/applications/io.github.marvane.$program.desktop" 2>&1) &&
        [ -z "$report" ] || fail "desktop-file-validate $program: $report"
    [ -f "$unpacked/usr/share/icons/hicolor/48x48/apps/$program.png" ] || fail "no icon for $program"
    [ "$("$unpacked/usr/bin/$program" --version)" = "$program $(dpkg-deb -f "$deb" Version)" ] ||
        fail "$program --version does not give the package's version"
done
cmp -s "$root/mapa.txt" "$unpacked/usr/share/marvane/mapa.txt" || fail "the sample map is not shipped"
[ ! -e "$unpacked/usr/libexec/marvane/qtbase_es.qm" ] || fail "Qt's Spanish texts are bundled"
dpkg-deb -f "$deb" Recommends | grep -qw qt6-translations-l10n ||
    fail "the package does not recommend qt6-translations-l10n"

# As the user nobody, with a home of their own: the start-up check prints the map it loaded.
home=$scratch/home
mkdir -p "$home"
chown nobody "$home"
as_user() {
    runuser -u nobody -- env -i HOME="$home" PATH=/usr/bin:/bin MARV_STARTUP_CHECK=1 \
        QT_QPA_PLATFORM=offscreen "$@"
}
user_map=$home/.local/share/marvane/mapa.txt
sample=$unpacked/usr/share/marvane/mapa.txt
for program in marvane marvedit; do
    [ "$(as_user timeout 60 "$unpacked/usr/bin/$program")" = "$sample" ] ||
        fail "$program does not read the sample while the user has no map"
    as_user "$unpacked/usr/bin/$program" --help | grep -qxF "Mapa: $user_map" ||
        fail "$program --help does not name the user's map"
done
[ ! -e "$home/.local" ] || fail "a start made the user's map folder"
# A relative XDG_DATA_HOME is ignored; without a home the programs say so and do not start.
[ "$(as_user XDG_DATA_HOME=datos timeout 60 "$unpacked/usr/bin/marvane")" = "$sample" ] ||
    fail "a relative XDG_DATA_HOME was not ignored"
status=0
runuser -u nobody -- env -i MARV_STARTUP_CHECK=1 QT_QPA_PLATFORM=offscreen \
    timeout 60 "$unpacked/usr/bin/marvane" >/dev/null 2>"$scratch/err" || status=$?
[ "$status" -eq 1 ] && grep -q 'la variable HOME' "$scratch/err" ||
    fail "without HOME marvane ended with status $status: $(cat "$scratch/err")"
# Once the user's map exists, both programs read it.
runuser -u nobody -- mkdir -p "$(dirname "$user_map")"
runuser -u nobody -- cp "$root/mapa.txt" "$user_map"
for program in marvane marvedit; do
    [ "$(as_user timeout 60 "$unpacked/usr/bin/$program")" = "$user_map" ] ||
        fail "$program does not read the user's map"
done

echo "check_package: all good"
