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
# -noreset: by default the X server resets when its last client leaves, and a program that
# connects during the reset is refused (an e2e script that starts the game again right after it
# ended would then find no display now and then).
xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" ctest --output-on-failure -j "$(nproc)"
