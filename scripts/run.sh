#!/usr/bin/env bash
# Sets up, builds and starts the game in its game folder.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
scripts/setup.sh
scripts/build.sh default
cd build/default/game
exec ../bin/gorgewing2 "$@"
