#!/usr/bin/env bash
# Configures and builds the suite into build/ (RelWithDebInfo, assertions on).
set -euo pipefail
cd "$(dirname "$0")/.."
export CCACHE_BASEDIR="$PWD"
export CCACHE_DIR="${CCACHE_DIR:-$HOME/.cache/ccache}"
# Debug information names the build folder: without this a clone in another folder misses the cache.
export CCACHE_NOHASHDIR=1
BUILD_DIR="${BUILD_DIR:-build}"
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo ${SUITE_CMAKE_ARGS:-}
cmake --build "$BUILD_DIR" -j "$(nproc)"
