#!/usr/bin/env bash
# Builds everything, then makes the README's pictures (docs/*.png) again from the real windows,
# offscreen, on the sample map.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
bash "$root/scripts/setup.sh"
"${BUILD_DIR:-$root/build}/bin/make_screens" "$root/mapa.txt" "$root/docs"
