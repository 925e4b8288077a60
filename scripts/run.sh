#!/usr/bin/env bash
# Installs what is needed, builds Orbitarium.scr and runs it under Wine: in your X display when DISPLAY
# is set (until the saver ends), otherwise on a private Xvfb display for SECONDS seconds, saving
# screenshots to SHOTS_DIR.   Usage: scripts/run.sh [SECONDS [SHOTS_DIR]]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-20}
shots=${2:-$root/screenshots}
"$root/scripts/install-deps.sh"
cmake --preset win64 -S "$root" >/dev/null
cmake --build "$root/build/win64" --target Orbitarium scr_host
exec python3 "$root/tests/e2e/harness.py" --scr "$root/build/win64/Orbitarium.scr" \
  --host "$root/build/win64/tests/e2e/scr_host.exe" \
  --prefix "$root/build/win64/run-prefix" --seconds "$seconds" --shots "$shots" -- /s
