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
for p in Geodetic Zuduzuro Acoustic Orbisol Marevo NavHost; do
  [ -x "$BUILD_DIR/apps/$p" ] && programs+=("$p")
done
# SUITE_PROGRAM names the program to start (e.g. SUITE_PROGRAM=Zuduzuro); otherwise the first
# one built.
if [ -n "${SUITE_PROGRAM:-}" ]; then
  if [ ! -x "$BUILD_DIR/apps/$SUITE_PROGRAM" ]; then
    echo "The program $SUITE_PROGRAM is not built." >&2
    exit 1
  fi
  programs=("$SUITE_PROGRAM")
fi
if [ ${#programs[@]} -eq 0 ]; then
  echo "Built the libraries; no program is built yet."
  exit 0
fi
echo "Programs built: ${programs[*]}"
export SUITE_DRIVE_C="${SUITE_DRIVE_C:-$PWD/data/demo}"
# The demo's tide port files are stored under names of their own; the names the tide reader
# looks for are made beside them as links.
tides="$SUITE_DRIVE_C/MyData/Tides"
for ports in "$tides"/PORTS[0-9][0-9].DAT; do
  [ -e "$ports" ] && ln -sf "$(basename "$ports")" "$tides/Part3${ports##*PORTS}"
done

# The Geodetic program and NavHost listen for NMEA on the demo's UDP input: a recorded capture
# is replayed to it in the background while the program runs (SUITE_DEMO_REPLAY=0 turns that
# off). NavHost gets the vessel's run over the demo site with its AIS targets.
replay_pid=""
stop_replay() {
  if [ -n "$replay_pid" ]; then
    kill "$replay_pid" 2>/dev/null || true
    wait "$replay_pid" 2>/dev/null || true
  fi
}
capture=""
case "${programs[0]}" in
  Geodetic) capture=data/demo/MyData/demo_gnss.nmea ;;
  NavHost) capture=data/demo/MyData/demo_navigation.nmea ;;
esac
if [ -n "$capture" ] && [ "${SUITE_DEMO_REPLAY:-1}" != 0 ] && command -v python3 >/dev/null; then
  python3 data/demo/replay_nmea.py "$capture" 10110 &
  replay_pid=$!
  trap stop_replay EXIT
  trap 'exit 130' INT
  trap 'exit 143' TERM
  echo "Replaying $capture to UDP port 10110 (pid $replay_pid)."
fi
status=0
"$BUILD_DIR/apps/${programs[0]}" "$@" || status=$?
exit "$status"
