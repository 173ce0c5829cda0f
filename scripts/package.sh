#!/usr/bin/env bash
# Builds the Debian package build/kestrava_<version>_<arch>.deb.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
if ! dpkg-query -W -f='${Status}' dpkg-dev 2>/dev/null | grep -q "install ok installed"; then
  sudo=""; [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq && DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq dpkg-dev
fi
KESTRAVA_BUILD_TYPE=Release bash scripts/build.sh
cd "${KESTRAVA_BUILD_DIR:-build}"
cpack -G DEB
