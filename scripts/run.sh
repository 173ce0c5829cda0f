#!/usr/bin/env bash
# Installs what is missing, builds, and starts Kestrava.
#
# Without KESTRAVA_COM1 set, the built-in controller simulator is started first and port 1 is
# pointed at it, so the live display works without a controller. To use a real controller,
# name its serial device: KESTRAVA_COM1=/dev/ttyUSB0 bash scripts/run.sh
# Without a display (no DISPLAY or WAYLAND_DISPLAY) Kestrava runs on a virtual X server.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
bash scripts/build.sh
build="${KESTRAVA_BUILD_DIR:-build}"

if [ -z "${KESTRAVA_COM1:-}" ]; then
  runtime="${XDG_RUNTIME_DIR:-/tmp}"
  link="$runtime/kestrava-sim-$$"
  "$build/src/kestrava-sim" --link "$link" &
  sim=$!
  trap 'kill "$sim" 2>/dev/null || true' EXIT
  for _ in $(seq 1 50); do [ -e "$link" ] && break; sleep 0.1; done
  export KESTRAVA_COM1="$link"
  echo "Port 1 is the controller simulator ($link). Open it with CommPort > Port Open."
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: starting Kestrava on a virtual X server (xvfb-run)."
  xvfb-run -a -s "-screen 0 1280x1024x24" "$build/src/kestrava" "$@"
else
  "$build/src/kestrava" "$@"
fi
