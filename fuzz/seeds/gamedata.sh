#!/usr/bin/env bash
# Seeds for gamedata_fuzz: the forge's "dat/game.txt", and the same with the helicopter's file
# joined at a "--- NAME" marker line. Usage: gamedata.sh DEFAULT_BUILD_DIR OUT_DIR
set -euo pipefail
build="$1"
out="$2"
mkdir -p "$out"
printf 'm_plane_speed_max_forward "1 1 1"\nm_gravity 0.0001\nm_missle_player_speed 2\nm_score_plane 80\n' >"$out/small"
source "$(dirname "$0")/unpack.sh"
unpack_forge "$build" main || exit 0
cp "$unpacked/dat/game.txt" "$out/game"
{ cat "$unpacked/dat/game.txt"; printf '\n--- dat/ah64/ah64.txt\n'; cat "$unpacked/dat/ah64/ah64.txt"; } >"$out/with_aircraft"
