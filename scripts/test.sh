#!/usr/bin/env bash
# Sets up, builds and runs every test: the short fuzz runs first, then CTest (under Xvfb for the
# tests that need a window), whose summary line closes the output.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
scripts/setup.sh
scripts/build.sh default
if [[ -x scripts/fuzz.sh ]]; then
  scripts/fuzz.sh
fi
cd build/default
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --output-on-failure -j "$(nproc)"
