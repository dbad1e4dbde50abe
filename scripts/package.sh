#!/usr/bin/env bash
# Builds the Debian package marvane_<version>_<arch>.deb into build-package/ (or $BUILD_DIR):
# both programs for a system install under /usr, where each user edits a map of their own.
# Debian's own tools make it: dpkg-shlibdeps computes the dependencies from the binaries,
# dpkg-gencontrol writes the control file, dpkg-deb builds the archive. Prints the package's path.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${BUILD_DIR:-$root/build-package}

bash "$root/scripts/install_packages.sh" \
    g++ cmake ninja-build qt6-base-dev qt6-translations-l10n dpkg-dev >&2

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF \
    -DMARV_USER_MAP=ON -DCMAKE_INSTALL_PREFIX=/usr >&2
cmake --build "$build" >&2

# Where Debian's tools expect the package's files.
stage=$build/debian/marvane
rm -rf "$stage"
# Every file the package holds is readable by all and owned by root (dpkg-deb --root-owner-group).
umask 022
DESTDIR=$stage cmake --install "$build" >&2
programs=("$stage"/usr/libexec/marvane/marvane "$stage"/usr/libexec/marvane/marvedit)
# As Debian's helpers do: no debugging symbols, no build notes, in the shipped binaries.
strip --remove-section=.comment --remove-section=.note --strip-unneeded "${programs[@]}"
gzip -9n "$stage"/usr/share/man/man1/*.1
# The sample map is data that the programs read, not documentation.
mkdir -p "$stage/usr/share/lintian/overrides"
install -m 0644 "$root/packaging/debian/lintian-overrides" "$stage/usr/share/lintian/overrides/marvane"
doc=$stage/usr/share/doc/marvane
mkdir -p "$doc"
install -m 0644 "$build/debian/copyright" "$doc/copyright"
gzip -9n -c "$build/debian/changelog" >"$doc/changelog.gz"

# dpkg-shlibdeps and dpkg-gencontrol read debian/control and debian/changelog from where they run.
cd "$build"
rm -f debian/substvars debian/files
# DEBIAN/ is how dpkg-shlibdeps tells the package's root.
mkdir -p "$stage/DEBIAN"
dpkg-shlibdeps -Tdebian/substvars "${programs[@]#"$build/"}" >&2
dpkg-gencontrol -pmarvane -P"$stage" -Tdebian/substvars >&2
(cd "$stage" && find usr -type f -print0 | sort -z | xargs -0 md5sum) >"$stage/DEBIAN/md5sums"
chmod 0644 "$stage/DEBIAN/control" "$stage/DEBIAN/md5sums"

version=$(dpkg-parsechangelog -l debian/changelog -S Version)
deb=$build/marvane_${version}_$(dpkg-architecture -qDEB_HOST_ARCH).deb
rm -f "$deb"
dpkg-deb --root-owner-group -Zxz --build "$stage" "$deb" >&2
echo "$deb"
