#!/usr/bin/env bash
# Builds everything and starts the demonstration on the map beside it (build/bin/mapa.txt).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
bash "$root/scripts/setup.sh"
exec "$root/build/bin/marvane"
