#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
export QT_QPA_PLATFORM=offscreen
BUILD_DIR="${BUILD_DIR:-build}"
if [ $# -gt 0 ]; then
  exec ctest --test-dir "$BUILD_DIR" --output-on-failure -j "$((2 * $(nproc)))" "$@"
fi
# The tests that bound the processor time a piece of work takes run afterwards, one at a time:
# on processors shared with other tests a run's processor time grows with their load (caches,
# sibling hardware threads), and the bound is the work's, not the machine's.
timed='^(WorkbookBounds|CsvLineBounds|SelectFile)\.|^ListImportExportTest\.MegabyteLines|^AlmanacFileBadInput\.'
# Two tests per processor: most of a test's time goes waiting on timers, sockets, serial lines
# and reader threads, not computing.
ctest --test-dir "$BUILD_DIR" --output-on-failure -j "$((2 * $(nproc)))" -E "$timed"
ctest --test-dir "$BUILD_DIR" --output-on-failure -j 1 -R "$timed"
