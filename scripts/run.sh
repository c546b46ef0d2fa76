#!/usr/bin/env bash
# Installs what is missing, builds, and starts the main program on the demo data.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  export QT_QPA_PLATFORM=offscreen
fi
BUILD_DIR="${BUILD_DIR:-build}"
programs=()
for p in Geodetic Zuduzuro Acoustic Orbisol Marevo; do
  [ -x "$BUILD_DIR/apps/$p" ] && programs+=("$p")
done
if [ ${#programs[@]} -eq 0 ]; then
  echo "Built the libraries; no program is built yet."
  exit 0
fi
echo "Programs built: ${programs[*]}"
export SUITE_DRIVE_C="${SUITE_DRIVE_C:-$PWD/data/demo}"
exec "$BUILD_DIR/apps/${programs[0]}" "$@"
