#!/usr/bin/env bash
# Installs what is missing, builds, and starts Kestrava.
# Without a display (no DISPLAY or WAYLAND_DISPLAY) it runs on a virtual X server.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
bash scripts/build.sh
binary="${KESTRAVA_BUILD_DIR:-build}/src/kestrava"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: starting Kestrava on a virtual X server (xvfb-run)."
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$binary" "$@"
fi
exec "$binary" "$@"
