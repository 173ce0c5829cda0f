#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test headless. Ends with ctest's summary.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
bash scripts/build.sh
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
chmod 0700 "$XDG_RUNTIME_DIR"
# The fuzzers, a short bounded run each (FUZZ_SECONDS, 30 by default; 0 skips them).
if [ "${FUZZ_SECONDS:-30}" != "0" ]; then
  bash scripts/fuzz.sh
fi
cd "${KESTRAVA_BUILD_DIR:-build}"
ctest --output-on-failure -j"$(nproc)" --timeout 120
