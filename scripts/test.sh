#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
export QT_QPA_PLATFORM=offscreen
# Two tests per processor: most of a test's time goes waiting on timers, sockets, serial lines
# and reader threads, not computing.
ctest --test-dir "${BUILD_DIR:-build}" --output-on-failure -j "$((2 * $(nproc)))" "$@"
