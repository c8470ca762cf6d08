#!/usr/bin/env bash
# Installs what is missing, builds, and starts the window (the command-line tool where no display is).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DBREVANO_TESTS=OFF -DBREVANO_BENCHMARKS=OFF >/dev/null
cmake --build build -j"$(nproc)"
if [[ -x build/app/brevano-boolean && ( -n "${DISPLAY:-}" || -n "${WAYLAND_DISPLAY:-}" ) ]]; then
  exec build/app/brevano-boolean
fi
echo "No display: the command-line tool on not(a+b) instead." >&2
exec build/cli/brevano table 'not(a+b)'
