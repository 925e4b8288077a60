#!/usr/bin/env bash
# Installs what is needed, builds the native and both Windows builds (win64, win32) and runs every test
# suite (unit, windows, e2e) with one CTest run, which prints the closing summary. Extra arguments go to
# ctest (e.g. -L unit, -L win32).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
cd "$root"
cmake --preset native
cmake --build --preset native
cmake --preset win64
cmake --build --preset win64
cmake --preset win32
cmake --build --preset win32
exec ctest --test-dir build/native --output-on-failure "$@"
