#!/usr/bin/env bash
# Installs what the build needs (Debian 12 packages), then configures and builds into build/;
# with --configure-only it stops before building. Quick and silent when everything is already in
# place.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

bash "$root/scripts/install_packages.sh" \
    g++ cmake ninja-build qt6-base-dev qt6-translations-l10n libgtest-dev libgmock-dev \
    libbenchmark-dev

build=${BUILD_DIR:-$root/build}
# Configured once; again whenever CMAKE_EXTRA asks for other options.
if [ ! -f "$build/build.ninja" ] || [ -n "${CMAKE_EXTRA:-}" ]; then
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo ${CMAKE_EXTRA:-}
fi
[ "${1:-}" = --configure-only ] || cmake --build "$build"
