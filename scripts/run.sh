#!/usr/bin/env bash
# Installs what is missing, builds in build-run/ (Release, no tests: a folder of its own, so that
# scripts/test.sh and this script never rebuild each other's build), and starts the window (the
# command-line tool where no display is).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build-run -DCMAKE_BUILD_TYPE=Release -DBREVANO_TESTS=OFF -DBREVANO_BENCHMARKS=OFF >/dev/null
cmake --build build-run -j"$(nproc)"
if [[ -x build-run/app/brevano-boolean && ( -n "${DISPLAY:-}" || -n "${WAYLAND_DISPLAY:-}" ) ]]; then
  exec build-run/app/brevano-boolean
fi
echo "No display: the command-line tool on not(a+b) instead." >&2
exec build-run/cli/brevano table 'not(a+b)'
