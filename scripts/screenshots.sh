#!/usr/bin/env bash
# Saves a PNG of every window into docs/screenshots, on a virtual X server.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
bash scripts/build.sh
build="${KESTRAVA_BUILD_DIR:-build}"
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
chmod 0700 "$XDG_RUNTIME_DIR"
mkdir -p docs/screenshots
xvfb-run -a -s "-screen 0 1280x1024x24" "$build/tools/kestrava-screenshots" docs/screenshots
