#!/usr/bin/env bash
# Runs every benchmark and prints its figures (offscreen and under a virtual X server).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
KESTRAVA_BUILD_TYPE=Release bash scripts/build.sh
build="${KESTRAVA_BUILD_DIR:-build}"
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
chmod 0700 "$XDG_RUNTIME_DIR"
QT_QPA_PLATFORM=offscreen "$build/bench/receive_throughput"
xvfb-run -a -s "-screen 0 1280x1024x24" "$build/bench/receive_throughput"
QT_QPA_PLATFORM=offscreen "$build/bench/replay_rate"
for _ in 1 2 3 4 5; do xvfb-run -a -s "-screen 0 1280x1024x24" "$build/bench/startup"; done
QT_QPA_PLATFORM=offscreen "$build/bench/timer_fidelity" "${TIMER_TICKS:-40}"
if command -v picocom >/dev/null; then "$build/bench/peer_picocom"; else echo "picocom not installed: apt install picocom"; fi
